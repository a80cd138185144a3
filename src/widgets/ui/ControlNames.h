#pragma once

#include <QString>

// The object names of the window's controls. Tests find controls by them, so code and tests
// take them from here; a name says what the control is. Captions and accessible names are
// set apart from these and are what users and screen readers meet.
namespace ControlNames {

inline constexpr char arrayHeightBox[] = "arrayHeightBox";
inline constexpr char arrayHeightLabel[] = "arrayHeightLabel";
inline constexpr char arrayList[] = "arrayList";
inline constexpr char arrayListLabel[] = "arrayListLabel";
inline constexpr char arrayLoadDialog[] = "arrayLoadDialog";
inline constexpr char arrayOrderBox[] = "arrayOrderBox";
inline constexpr char arrayOrderLabel[] = "arrayOrderLabel";
inline constexpr char arrayPackingBox[] = "arrayPackingBox";
inline constexpr char arrayPackingLabel[] = "arrayPackingLabel";
inline constexpr char arrayPreview[] = "arrayPreview";
inline constexpr char arrayProfileBox[] = "arrayProfileBox";
inline constexpr char arrayProfileLabel[] = "arrayProfileLabel";
inline constexpr char arrayStatusLabel[] = "arrayStatusLabel";
inline constexpr char arrayWidthBox[] = "arrayWidthBox";
inline constexpr char arrayWidthLabel[] = "arrayWidthLabel";
inline constexpr char betaLabel[] = "betaLabel";
inline constexpr char byteMatrixFrame[] = "byteMatrixFrame";
inline constexpr char clearCanvasButton[] = "clearCanvasButton";
inline constexpr char clearOutputButton[] = "clearOutputButton";
inline constexpr char comOutBufferLabel[] = "comOutBufferLabel";
inline constexpr char convertButton[] = "convertButton";
inline constexpr char copyOutputButton[] = "copyOutputButton";
inline constexpr char delimiterBox[] = "delimiterBox";
inline constexpr char delimiterLabel[] = "delimiterLabel";
inline constexpr char directLoadFrame[] = "directLoadFrame";
inline constexpr char drawButton[] = "drawButton";
inline constexpr char eepromFrame[] = "eepromFrame";
inline constexpr char eraseButton[] = "eraseButton";
inline constexpr char footerBox[] = "footerBox";
inline constexpr char footerLabel[] = "footerLabel";
inline constexpr char formatBox[] = "formatBox";
inline constexpr char formatLabel[] = "formatLabel";
inline constexpr char handshakeLabel[] = "handshakeLabel";
inline constexpr char headerBox[] = "headerBox";
inline constexpr char headerLabel[] = "headerLabel";
inline constexpr char helpCloseButton[] = "helpCloseButton";
inline constexpr char helpText[] = "helpText";
inline constexpr char horizontalNoteLabel[] = "horizontalNoteLabel";
inline constexpr char horizontalOption[] = "horizontalOption";
inline constexpr char lcdSizeCaptionLabel[] = "lcdSizeCaptionLabel";
inline constexpr char loadEepromCheck[] = "loadEepromCheck";
inline constexpr char loadEepromLabel[] = "loadEepromLabel";
inline constexpr char loadPictureButton[] = "loadPictureButton";
inline constexpr char orderBox[] = "cboOrder";
inline constexpr char outputFormatFrame[] = "outputFormatFrame";
inline constexpr char outputWindow[] = "outputWindow";
inline constexpr char pasteAndSendButton[] = "pasteAndSendButton";
inline constexpr char penSizeBox[] = "penSizeBox";
inline constexpr char penSizeLabel[] = "penSizeLabel";
inline constexpr char picBufferLabel[] = "picBufferLabel";
inline constexpr char picBufferList[] = "picBufferList";
inline constexpr char picDelayLabel[] = "picDelayLabel";
inline constexpr char picDelayList[] = "picDelayList";
inline constexpr char picLinkFrame[] = "picLinkFrame";
inline constexpr char pixelCanvas[] = "pixelCanvas";
inline constexpr char portSettingLabel[] = "portSettingLabel";
inline constexpr char portSettingsList[] = "portSettingsList";
inline constexpr char profileBox[] = "cboProfile";
inline constexpr char receiveTimer[] = "receiveTimer";
inline constexpr char reformatButton[] = "reformatButton";
inline constexpr char restoreOutputButton[] = "restoreOutputButton";
inline constexpr char saveOutputButton[] = "saveOutputButton";
inline constexpr char rotate180Button[] = "rotate180Button";
inline constexpr char rotate90Button[] = "rotate90Button";
inline constexpr char savePictureButton[] = "savePictureButton";
inline constexpr char sendToLcdButton[] = "sendToLcdButton";
inline constexpr char serialInputWindow[] = "serialInputWindow";
inline constexpr char serialPortFrame[] = "serialPortFrame";
inline constexpr char startAddressLabel[] = "startAddressLabel";
inline constexpr char textOutputFrame[] = "textOutputFrame";
inline constexpr char transmitWindow[] = "transmitWindow";
inline constexpr char verticalOption[] = "verticalOption";
inline constexpr char waitCharBox[] = "waitCharBox";
inline constexpr char waitCharLabel[] = "waitCharLabel";
inline constexpr char waitForPicCheck[] = "waitForPicCheck";
inline constexpr char xmitDelayLabel[] = "xmitDelayLabel";

// The label beside an offered LCD size, by the size's caption ("128x64").
inline QString lcdSizeLabel(const QString &caption)
{
    return QStringLiteral("lcdSize%1Label").arg(caption);
}

} // namespace ControlNames
