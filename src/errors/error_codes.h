#pragma once
#include <cstdint>

// Error codes: the platform's own (errno values here), or the program's, which
// carry the error severity and the customer bit with the message number in the
// low 16 bits.
namespace mascot {

using ErrorCode = std::uint32_t;

inline constexpr ErrorCode kNoError = 0x200003E8;
inline constexpr ErrorCode kErrDataPointer = 0xE00005DC;       // 1500
inline constexpr ErrorCode kErrCrcMismatch = 0xE00005DD;       // 1501
inline constexpr ErrorCode kErrNotResourceFile = 0xE00007D0;   // 2000
inline constexpr ErrorCode kErrUnexpectedEnd = 0xE00009C4;     // 2500
inline constexpr ErrorCode kErrCrtBase = 0xE0000AF0;           // 2800 + errno
inline constexpr ErrorCode kErrUnsupportedFormat = 0xE0000B54; // 2900
inline constexpr ErrorCode kNoCodeNumber = 0xFFFFFFFF;         // composed without "(n)"

// Message number shown to users for a program code.
constexpr std::uint32_t CodeNumber(ErrorCode code) { return code & 0xFFFF; }

}  // namespace mascot
