#include "logic/serial/ReceiveFilter.h"

namespace ReceiveFilter {

Role role(unsigned char byte, LineStart mode)
{
    const unsigned char ending = mode == LineStart::AfterCr ? '\r' : '\n';
    const unsigned char dropped = mode == LineStart::AfterCr ? '\n' : '\r';
    if (byte == ending)
        return Role::LineEnd;
    return byte == dropped ? Role::Dropped : Role::Shown;
}

} // namespace ReceiveFilter
