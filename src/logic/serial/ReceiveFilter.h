#pragma once

// Which received byte ends a line in the terminal. By default CR ends a line
// and LF is dropped, so CR, CR LF and LF CR each end one line, also when CR
// and LF arrive in different reads, and a lone LF ends none. Firmware that
// ends its lines with LF alone reads line by line with LF starting a line;
// CR is then the byte that is dropped.
namespace ReceiveFilter {

enum class LineStart { AfterCr, AfterLf };
enum class Role { Shown, LineEnd, Dropped };

Role role(unsigned char byte, LineStart mode);

} // namespace ReceiveFilter
