// Copies a UTF-8 source file with the text of every narrow string and
// character literal turned into code page 932 bytes: what g++ makes of it with
// -fexec-charset=CP932, which clang cannot do. The fuzz targets build the
// program's portable code from these copies.
//
// The converted bytes are written as octal escapes. Written as raw bytes, the
// second byte of ソ or 表 (0x5C, the byte of "\") would escape the character
// after it. Comments, identifiers (the program's own names are Japanese) and
// L, u, U and u8 literals stay as they are; lines keep their numbers.
//
//     cp932_literals <UTF-8 source> <copy>

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("CP932", "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no UTF-8 to CP932 conversion");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Throws for text that code page 932 cannot hold: g++ refuses it too.
    std::string ToCp932(std::string_view utf8) {
        std::string in(utf8);
        std::string out(2 * in.size() + 4, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size();
        std::size_t outLeft = out.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            throw std::runtime_error("no code page 932 form for \"" + in + "\"");
        }
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

bool IsIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class LiteralRewriter {
public:
    explicit LiteralRewriter(std::string_view source) : src_(source) {}

    std::string Run() {
        while (at_ < src_.size()) {
            if (StartsWith("//")) {
                CopyLineComment();
            } else if (StartsWith("/*")) {
                CopyUntilAfter("*/");
            } else if (src_[at_] == '"' || src_[at_] == '\'') {
                Literal();
            } else {
                out_ += src_[at_++];
            }
        }
        return out_;
    }

private:
    bool StartsWith(std::string_view text) const { return src_.substr(at_, text.size()) == text; }

    std::size_t LineNumber() const {
        return 1 + static_cast<std::size_t>(std::count(src_.begin(), src_.begin() + at_, '\n'));
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("line " + std::to_string(LineNumber()) + ": " + what);
    }

    // A backslash at the end of the line carries the comment on.
    void CopyLineComment() {
        while (at_ < src_.size() && src_[at_] != '\n') {
            if (src_[at_] == '\\' && at_ + 1 < src_.size() && src_[at_ + 1] == '\n') out_ += src_[at_++];
            out_ += src_[at_++];
        }
    }

    void CopyUntilAfter(std::string_view end) {
        const std::size_t found = src_.find(end, at_ + end.size());
        const std::size_t stop = found == std::string_view::npos ? src_.size() : found + end.size();
        out_.append(src_.substr(at_, stop - at_));
        at_ = stop;
    }

    // The identifier characters just before the quote: an encoding prefix, a
    // raw-string R, or the digits of a number with a ' separator.
    std::string_view Prefix() const {
        std::size_t begin = at_;
        while (begin > 0 && IsIdentifierChar(src_[begin - 1])) --begin;
        return src_.substr(begin, at_ - begin);
    }

    void Literal() {
        const char quote = src_[at_];
        const std::string_view prefix = Prefix();
        const bool encoded = prefix == "L" || prefix == "u" || prefix == "U" || prefix == "u8";
        if (quote == '"' && !prefix.empty() && prefix.back() == 'R') {
            RawString(prefix == "R");
        } else if (quote == '\'' && !prefix.empty() && !encoded) {
            out_ += src_[at_++];  // a digit separator
        } else {
            QuotedText(quote, !encoded);
        }
    }

    void QuotedText(char quote, bool narrow) {
        out_ += src_[at_++];
        while (at_ < src_.size() && src_[at_] != quote) {
            if (src_[at_] == '\n') Fail("literal without its closing quote");
            if (src_[at_] == '\\') {
                out_ += src_[at_++];
                if (at_ < src_.size()) out_ += src_[at_++];
            } else if (narrow && static_cast<unsigned char>(src_[at_]) >= 0x80) {
                NonAsciiRun();
            } else {
                out_ += src_[at_++];
            }
        }
        if (at_ == src_.size()) Fail("literal without its closing quote");
        out_ += src_[at_++];
    }

    void NonAsciiRun() {
        const std::size_t begin = at_;
        while (at_ < src_.size() && static_cast<unsigned char>(src_[at_]) >= 0x80) ++at_;
        std::string cp932;
        try {
            cp932 = converter_.ToCp932(src_.substr(begin, at_ - begin));
        } catch (const std::runtime_error& e) {
            Fail(e.what());
        }
        for (const char byte : cp932) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned char>(byte));
            out_ += escape;
        }
    }

    // R"delimiter( ... )delimiter": no escapes inside, so a narrow one cannot
    // carry converted bytes.
    void RawString(bool narrow) {
        const std::size_t open = src_.find('(', at_);
        if (open == std::string_view::npos) Fail("raw string without its opening parenthesis");
        const std::string close = ")" + std::string(src_.substr(at_ + 1, open - at_ - 1)) + "\"";
        const std::size_t end = src_.find(close, open);
        if (end == std::string_view::npos) Fail("raw string without its end");
        const std::string_view text = src_.substr(at_, end + close.size() - at_);
        if (narrow) {
            for (const char c : text) {
                if (static_cast<unsigned char>(c) >= 0x80) Fail("narrow raw string with text beyond ASCII");
            }
        }
        out_.append(text);
        at_ = end + close.size();
    }

    std::string_view src_;
    std::size_t at_ = 0;
    std::string out_;
    Converter converter_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cp932_literals <UTF-8 source> <copy>\n");
        return 2;
    }
    const std::filesystem::path source = argv[1];
    const std::filesystem::path copy = argv[2];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        // Diagnostics and sanitizer reports then name the source itself.
        const std::string converted = "#line 1 \"" + source.generic_string() + "\"\n" + LiteralRewriter(text).Run();
        std::filesystem::create_directories(copy.parent_path());
        std::ofstream out(copy, std::ios::binary | std::ios::trunc);
        out << converted;
        if (!out.flush()) throw std::runtime_error("cannot write " + copy.string());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
