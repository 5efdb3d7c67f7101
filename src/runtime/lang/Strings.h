#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Code page 932 byte strings. A character is one byte, or two when the first
// is a lead byte (0x81-0x9F, 0xE0-0xFC) that is not the last byte of the
// string. The *Chars operations step over whole characters; the *Bytes ones
// count bytes and may split a character. Positions are 1-based; numeric
// arguments go through the integer argument conversion of Numbers.h.
namespace rt {

inline constexpr std::int32_t kMaxStringLength = 2147483647;

bool IsLeadByte(unsigned char byte);

// Offset of the character after the one starting at `offset`.
std::size_t NextCharOffset(std::string_view s, std::size_t offset);

std::string Concat(std::string_view a, std::string_view b);

std::int32_t CharLen(std::string_view s);
std::int32_t ByteLen(std::string_view s);

std::string LeftChars(std::string_view s, long double n);
std::string LeftBytes(std::string_view s, long double n);
std::string MidChars(std::string_view s, long double start, long double count = kMaxStringLength);
std::string MidBytes(std::string_view s, long double start, long double count = kMaxStringLength);

// Position of the first occurrence of p in t at or after `start`; 0 if none.
std::int32_t InStrChars(long double start, std::string_view t, std::string_view p);
std::int32_t InStrBytes(long double start, std::string_view t, std::string_view p);

// One byte per code, in order.
std::string Chr(std::initializer_list<long double> codes);

// Every character in its two-byte (full-width) form.
std::string FullWidth(std::string_view s);

// Decimal text with a sign position: " 0", " 123", "-5".
std::string NumText(long double x);

}  // namespace rt
