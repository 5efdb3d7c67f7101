#include "runtime/lang/Strings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"

namespace rt {

namespace {

constexpr std::size_t kMaxBytes = kMaxStringLength;

// Every byte of the input may double, so longer input cannot convert within
// the maximum length.
constexpr std::size_t kMaxFullWidthInput = std::size_t{1} << 30;

// Full-width forms of 0x20-0x7E in code order, two bytes each.
constexpr std::string_view kFullWidthAscii =
    "　！”＃＄％＆’（）＊＋，－．／"
    "０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ"
    "ＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏ"
    "ｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣";
static_assert(kFullWidthAscii.size() == 2 * (0x7E - 0x20 + 1));

// Full-width forms of the half-width katakana and punctuation 0xA0-0xDD.
constexpr std::string_view kFullWidthKana =
    "　。「」、・ヲァィゥェォャュョッ"
    "ーアイウエオカキクケコサシスセソ"
    "タチツテトナニヌネノハヒフヘホマ"
    "ミムメモヤユヨラリルレロワン";
static_assert(kFullWidthKana.size() == 2 * (0xDD - 0xA0 + 1));

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

bool InRange(unsigned char byte, unsigned char first, unsigned char last) {
    return byte >= first && byte <= last;
}

std::int32_t Length(std::size_t bytes) {
    if (bytes > kMaxBytes) Raise(err::kStringTooLong);
    return static_cast<std::int32_t>(bytes);
}

std::int32_t NonNegative(long double n) {
    const std::int32_t value = IntArg(n);
    if (value < 0) Raise(err::kBadArgument);
    return value;
}

std::int32_t Positive(long double n) {
    const std::int32_t value = IntArg(n);
    if (value <= 0) Raise(err::kBadArgument);
    return value;
}

// Offset reached after stepping over up to `count` characters from `offset`.
std::size_t SkipChars(std::string_view s, std::size_t offset, std::int32_t count) {
    for (; count > 0 && offset < s.size(); --count) offset = NextCharOffset(s, offset);
    return offset;
}

std::string_view FullWidthOfByte(unsigned char byte) {
    if (InRange(byte, 0x20, 0x7E)) return kFullWidthAscii.substr(2 * (byte - 0x20), 2);
    if (byte == 0x7F) return "　";
    if (InRange(byte, 0xA0, 0xDD)) return kFullWidthKana.substr(2 * (byte - 0xA0), 2);
    if (byte == kVoicedMark) return "゛";
    if (byte == kSemiVoicedMark) return "゜";
    return "■";
}

// How far a mark moves the full-width katakana before it: カ to ガ is one
// code point, ハ to パ two. Zero when the mark stands on its own.
int MarkStep(unsigned char mark, unsigned char previous) {
    const bool haRow = InRange(previous, 0xCA, 0xCE);
    if (mark == kVoicedMark && (haRow || InRange(previous, 0xB6, 0xC4))) return 1;
    if (mark == kSemiVoicedMark && haRow) return 2;
    return 0;
}

// Appends the full-width form of a one-byte character; a voiced or
// semi-voiced mark after a katakana it fits changes that katakana instead.
void AppendFullWidth(std::string& out, unsigned char byte, unsigned char previous) {
    if (const int step = MarkStep(byte, previous); step != 0) {
        out.back() = static_cast<char>(out.back() + step);
    } else {
        out.append(FullWidthOfByte(byte));
    }
}

}  // namespace

bool IsLeadByte(unsigned char byte) { return InRange(byte, 0x81, 0x9F) || InRange(byte, 0xE0, 0xFC); }

std::size_t NextCharOffset(std::string_view s, std::size_t offset) {
    const bool twoBytes = IsLeadByte(static_cast<unsigned char>(s[offset])) && offset + 1 < s.size();
    return offset + (twoBytes ? 2 : 1);
}

std::string Concat(std::string_view a, std::string_view b) {
    if (a.size() > kMaxBytes || b.size() > kMaxBytes - a.size()) Raise(err::kStringTooLong);
    std::string result;
    result.reserve(a.size() + b.size());
    result.append(a).append(b);
    return result;
}

std::int32_t CharLen(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < s.size(); offset = NextCharOffset(s, offset)) ++count;
    return Length(count);
}

std::int32_t ByteLen(std::string_view s) { return Length(s.size()); }

std::string LeftChars(std::string_view s, long double n) {
    return std::string(s.substr(0, SkipChars(s, 0, NonNegative(n))));
}

std::string LeftBytes(std::string_view s, long double n) {
    return std::string(s.substr(0, static_cast<std::size_t>(NonNegative(n))));
}

std::string MidChars(std::string_view s, long double start, long double count) {
    const std::int32_t first = Positive(start);
    const std::int32_t wanted = NonNegative(count);
    const std::size_t begin = SkipChars(s, 0, first - 1);
    return std::string(s.substr(begin, SkipChars(s, begin, wanted) - begin));
}

std::string MidBytes(std::string_view s, long double start, long double count) {
    const auto begin = static_cast<std::size_t>(Positive(start) - 1);
    const auto wanted = static_cast<std::size_t>(NonNegative(count));
    if (begin >= s.size()) return {};
    return std::string(s.substr(begin, wanted));
}

std::int32_t InStrChars(long double start, std::string_view t, std::string_view p) {
    const std::int32_t first = Positive(start);
    std::size_t offset = SkipChars(t, 0, first - 1);
    if (offset == t.size()) return 0;
    if (p.empty()) return first;
    for (std::int32_t position = first; t.size() - offset >= p.size(); ++position) {
        if (t.substr(offset, p.size()) == p) return position;
        offset = NextCharOffset(t, offset);
    }
    return 0;
}

std::int32_t InStrBytes(long double start, std::string_view t, std::string_view p) {
    const std::int32_t first = Positive(start);
    if (static_cast<std::size_t>(first) > t.size()) return 0;
    if (p.empty()) return first;
    const std::size_t found = t.find(p, static_cast<std::size_t>(first - 1));
    return found == std::string_view::npos ? 0 : Length(found + 1);
}

std::string Chr(std::initializer_list<long double> codes) {
    std::string result;
    for (const long double code : codes) {
        const std::int32_t value = IntArg(code);
        if (value < 0 || value > 255) Raise(err::kBadArgument);
        result.push_back(static_cast<char>(value));
    }
    return result;
}

std::string FullWidth(std::string_view s) {
    if (s.size() >= kMaxFullWidthInput) Raise(err::kStringTooLong);
    std::string result;
    result.reserve(2 * s.size());
    // A mark merges only into a katakana that is a character of its own: the
    // trail byte of a two-byte character may hold the same value, and merging
    // there would turn that character into a different one. Zero, which no
    // mark merges into, stands for "no one-byte character before".
    unsigned char previousByte = 0;
    for (std::size_t offset = 0; offset < s.size();) {
        const std::size_t next = NextCharOffset(s, offset);
        const auto byte = static_cast<unsigned char>(s[offset]);
        if (next - offset == 2) {
            result.append(s.substr(offset, 2));
            previousByte = 0;
        } else {
            AppendFullWidth(result, byte, previousByte);
            previousByte = byte;
        }
        offset = next;
    }
    return result;
}

std::string NumText(long double x) {
    // Room for every digit of the largest whole long double.
    std::array<char, std::numeric_limits<long double>::max_exponent10 + 8> digits;
    char* const first = digits.data();
    char* const last = first + digits.size();
    const long double magnitude = std::fabs(x);
    // Numbers that are not whole get the seven significant digits a
    // single-precision count can hold.
    const auto written = magnitude == std::trunc(magnitude)
                             ? std::to_chars(first, last, magnitude, std::chars_format::fixed, 0)
                             : std::to_chars(first, last, magnitude, std::chars_format::general, 7);
    std::string text(1, x < 0 ? '-' : ' ');
    return text.append(first, written.ptr);
}

}  // namespace rt
