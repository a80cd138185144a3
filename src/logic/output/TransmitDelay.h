#pragma once

#include <QString>

#include <optional>

// The "Xmit Delay(ms)" text as a pause in milliseconds. Text that is not a
// number, a negative number or one beyond a timer's range gives no pause.
namespace TransmitDelay {

// The "Xmit Delay(ms)" box starts here for sending to the LCD.
inline constexpr int defaultLcdMs = 5;
// And here when the target switches to the I2C EEPROM, which writes slower.
inline constexpr int defaultEepromMs = 100;

// "12.9" -> 12: "Send to LCD" drops the fraction.
std::optional<int> truncated(const QString &text);
// "12.5" -> 12, "13.5" -> 14: "Paste and Send " rounds half to even.
std::optional<int> rounded(const QString &text);

} // namespace TransmitDelay
