#pragma once

#include <iconv.h>

#include <cerrno>

#include <string>
#include <string_view>

#include "runtime/LentPlaces.h"

namespace test {

// Code page 932 off Windows: glibc's WINDOWS-31J, held to the system's rule
// that a form counts only if it gives the same text back (glibc writes 〜
// U+301C as the bytes of ～ U+FF5E, and ¥ as "\").
class IconvCp932Table final : public rt::Cp932Table {
public:
    bool Encode(std::u16string_view text, std::string& bytes) const override {
        bytes.clear();
        std::string in(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        if (!Convert("WINDOWS-31J", "UTF-16LE", in, bytes, false)) return false;
        std::u16string back;
        if (Decode(bytes, false, back) && back == text) return true;
        bytes.clear();
        return false;
    }

    bool Decode(std::string_view bytes, bool lenient, std::u16string& text) const override {
        std::string out;
        const bool ok = Convert("UTF-16LE", "WINDOWS-31J", std::string(bytes), out, lenient);
        text.assign(reinterpret_cast<const char16_t*>(out.data()), out.size() / 2);
        return ok;
    }

private:
    // With `lenient`, a byte that starts no character becomes ・ (U+30FB), as
    // the system's default character.
    static bool Convert(const char* to, const char* from, std::string in, std::string& out, bool lenient) {
        out.clear();
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        bool ok = true;
        while (inLeft > 0) {
            char buffer[256];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (!lenient) {
                ok = false;
                break;
            }
            out.append("\xFB\x30", 2);
            ++inPtr;
            --inLeft;
        }
        iconv_close(cd);
        if (!ok) out.clear();
        return ok;
    }
};

}  // namespace test
