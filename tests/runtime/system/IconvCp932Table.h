#pragma once

#include <iconv.h>

#include <cerrno>

#include <string>
#include <string_view>

#include "runtime/system/LentPlaces.h"

namespace test {

// Code page 932 off Windows: glibc's WINDOWS-31J, held to the system's rule
// that a form counts only if it gives the same text back (glibc writes 〜
// U+301C as the bytes of ～ U+FF5E, and ¥ as "\").
class IconvCp932Table final : public rt::Cp932Table {
public:
    IconvCp932Table()
        : toCp932_(iconv_open("WINDOWS-31J", "UTF-16LE")), fromCp932_(iconv_open("UTF-16LE", "WINDOWS-31J")) {}
    ~IconvCp932Table() override {
        iconv_close(toCp932_);
        iconv_close(fromCp932_);
    }
    IconvCp932Table(const IconvCp932Table&) = delete;
    IconvCp932Table& operator=(const IconvCp932Table&) = delete;

    bool Encode(std::u16string_view text, std::string& bytes) const override {
        std::string_view in(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        if (!Convert(toCp932_, in, bytes, false)) return false;
        std::u16string back;
        if (Decode(bytes, false, back) && back == text) return true;
        bytes.clear();
        return false;
    }

    bool Decode(std::string_view bytes, bool lenient, std::u16string& text) const override {
        std::string out;
        const bool ok = Convert(fromCp932_, bytes, out, lenient);
        text.assign(reinterpret_cast<const char16_t*>(out.data()), out.size() / 2);
        return ok;
    }

private:
    // With `lenient`, a byte that starts no character becomes ・ (U+30FB), as
    // the system's default character.
    static bool Convert(iconv_t cd, std::string_view input, std::string& out, bool lenient) {
        out.clear();
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string in(input);
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char buffer[256];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            if (!lenient) {
                out.clear();
                return false;
            }
            out.append("\xFB\x30", 2);
            ++inPtr;
            --inLeft;
        }
        return true;
    }

    iconv_t toCp932_;
    iconv_t fromCp932_;
};

}  // namespace test
