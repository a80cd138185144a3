#pragma once

// The acknowledged send, which a sender asks for and a receiver may ignore.
// The sender puts RequestChar right before the transfer header. A receiver
// that speaks it answers once the header is read and it is ready for the
// first block, and again after each block is written (and the header's delay
// waited): Ready when every character of the block was a hex digit and the
// block was whole, Refused when not. A refused block counts as not received:
// the receiver writes the next block where the refused one began, so the
// sender sends it again. A receiver that does not speak it takes the request
// for one stray character and never answers; the blind stream (no request)
// is what every receiver reads.
namespace AckProtocol {

constexpr char RequestChar = '!';
constexpr char Ready = '\x06';   // ASCII ACK
constexpr char Refused = '\x15'; // ASCII NAK
constexpr int MaxResends = 3;    // a refused block is sent again this often
constexpr int TimeoutMarginMs = 200; // beyond ten times a block's line time

} // namespace AckProtocol
