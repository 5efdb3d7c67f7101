// The character and byte string operations on a string, a pattern and small
// numeric arguments taken from the input:
//
//     byte 0: n, byte 1: start, byte 2: count, byte 3: pattern length,
//     then the pattern, then the string.
//
// An argument outside an operation's domain must raise the runtime error the
// program reports (5 below the domain, 6 beyond the 32-bit range) and nothing
// else; inside it, the result must be the part of the string it names.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/lang/Strings.h"

namespace {

using fuzz::Require;

constexpr long double kInt32Max = 2147483647.0L;
constexpr long double kInt32Min = -2147483648.0L;

// Mostly small values around the length of a short string; 80, 81 and 82,
// which would be the most negative ones, stand for the edges of the 32-bit
// argument range instead.
long double Argument(std::uint8_t byte) {
    switch (byte) {
        case 0x80: return kInt32Max;
        case 0x81: return kInt32Max + 1;
        case 0x82: return kInt32Min;
        default: return static_cast<std::int8_t>(byte);
    }
}

// The error an argument must raise where the smallest value allowed is
// `smallest`; 0 when it is inside the domain.
int DomainError(long double value, long double smallest) {
    if (value > kInt32Max || value < kInt32Min) return rt::err::kOverflow;
    return value < smallest ? rt::err::kBadArgument : 0;
}

template <typename T>
struct Outcome {
    int error = 0;
    T value{};
};

template <typename Operation>
auto Run(Operation operation) {
    Outcome<decltype(operation())> outcome;
    try {
        outcome.value = operation();
    } catch (const rt::RuntimeError& e) {
        outcome.error = e.Number();
    }
    return outcome;
}

// Where each character starts, and the string's end for any count beyond.
class CharacterOffsets {
public:
    explicit CharacterOffsets(std::string_view s) : size_(s.size()) {
        for (const std::string_view character : fuzz::Characters(s)) {
            starts_.push_back(static_cast<std::size_t>(character.data() - s.data()));
        }
    }

    std::size_t Count() const { return starts_.size(); }

    // Offset of the character with 0-based index `index`.
    std::size_t At(long double index) const {
        return index < static_cast<long double>(starts_.size()) ? starts_[static_cast<std::size_t>(index)] : size_;
    }

private:
    std::size_t size_;
    std::vector<std::size_t> starts_;
};

void CheckStepping(std::string_view s, const CharacterOffsets& offsets) {
    for (std::size_t at = 0; at < s.size(); at = rt::NextCharOffset(s, at)) {
        const std::size_t step = rt::NextCharOffset(s, at) - at;
        Require(step == 1 || (step == 2 && rt::IsLeadByte(static_cast<unsigned char>(s[at])) && at + 2 <= s.size()),
                "a character is one byte, or two from a lead byte that is not the last");
    }
    Require(rt::ByteLen(s) == static_cast<std::int32_t>(s.size()), "ByteLen counts bytes");
    Require(rt::CharLen(s) == static_cast<std::int32_t>(offsets.Count()), "CharLen counts the steps");
}

void CheckLeft(std::string_view s, const CharacterOffsets& offsets, long double n) {
    const auto chars = Run([&] { return rt::LeftChars(s, n); });
    const auto bytes = Run([&] { return rt::LeftBytes(s, n); });
    const int error = DomainError(n, 0);
    Require(chars.error == error && bytes.error == error, "Left raises only for a count outside its domain");
    if (error != 0) return;
    Require(chars.value == s.substr(0, offsets.At(n)), "LeftChars takes the first n characters");
    Require(bytes.value == s.substr(0, static_cast<std::size_t>(n)), "LeftBytes takes the first n bytes");
    if (n < kInt32Max) {
        Require(chars.value + rt::MidChars(s, n + 1) == s, "LeftChars(s, n) and MidChars(s, n + 1) give s back");
        Require(bytes.value + rt::MidBytes(s, n + 1) == s, "LeftBytes(s, n) and MidBytes(s, n + 1) give s back");
    }
}

void CheckMid(std::string_view s, const CharacterOffsets& offsets, long double start, long double count) {
    const auto chars = Run([&] { return rt::MidChars(s, start, count); });
    const auto bytes = Run([&] { return rt::MidBytes(s, start, count); });
    const int error = DomainError(start, 1) != 0 ? DomainError(start, 1) : DomainError(count, 0);
    Require(chars.error == error && bytes.error == error, "Mid raises only for a start or count outside its domain");
    if (error != 0) return;
    const std::size_t begin = offsets.At(start - 1);
    Require(chars.value == s.substr(begin, offsets.At(start - 1 + count) - begin),
            "MidChars takes count characters from character start");
    const auto byteBegin = std::min(static_cast<std::size_t>(start - 1), s.size());
    Require(bytes.value == s.substr(byteBegin, static_cast<std::size_t>(count)),
            "MidBytes takes count bytes from byte start");
}

// `found` must be the first of the positions from `start` on where p starts,
// or 0 when there is none; positions are characters or bytes.
void CheckFound(std::int32_t found, long double start, std::size_t positions, std::string_view s, std::string_view p,
                const auto& offsetOf) {
    const auto startsAt = [&](std::size_t position) { return s.substr(offsetOf(position - 1)).starts_with(p); };
    if (p.empty()) {
        Require(found == (start <= positions ? start : 0), "an empty pattern is found at start while start is in s");
        return;
    }
    Require(found == 0 || (found >= start && static_cast<std::size_t>(found) <= positions &&
                           startsAt(static_cast<std::size_t>(found))),
            "InStr finds a position where the pattern starts");
    const std::size_t last = found == 0 ? positions : static_cast<std::size_t>(found) - 1;
    for (auto position = static_cast<std::size_t>(std::max(start, 1.0L)); position <= last; ++position) {
        Require(!startsAt(position), "InStr finds the first position where the pattern starts");
    }
}

void CheckInStr(std::string_view s, std::string_view p, const CharacterOffsets& offsets, long double start) {
    const auto chars = Run([&] { return rt::InStrChars(start, s, p); });
    const auto bytes = Run([&] { return rt::InStrBytes(start, s, p); });
    const int error = DomainError(start, 1);
    Require(chars.error == error && bytes.error == error, "InStr raises only for a start outside its domain");
    if (error != 0) return;
    CheckFound(chars.value, start, offsets.Count(), s, p, [&](std::size_t index) { return offsets.At(index); });
    CheckFound(bytes.value, start, s.size(), s, p, [](std::size_t index) { return index; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto byteAt = [&](std::size_t at) { return at < size ? data[at] : std::uint8_t{0}; };
    const long double n = Argument(byteAt(0));
    const long double start = Argument(byteAt(1));
    const long double count = Argument(byteAt(2));
    const std::string_view rest = size > 4 ? std::string_view(reinterpret_cast<const char*>(data) + 4, size - 4) : "";
    const std::string_view p = rest.substr(0, byteAt(3));
    const std::string_view s = rest.substr(p.size());

    const CharacterOffsets offsets(s);
    CheckStepping(s, offsets);
    CheckLeft(s, offsets, n);
    CheckMid(s, offsets, start, count);
    CheckInStr(s, p, offsets, start);
    return 0;
}
