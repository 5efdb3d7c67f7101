#include "runtime/system/Cp932.h"

#include <windows.h>

#include <climits>

#include "runtime/system/LentPlaces.h"

namespace rt {

namespace {

constexpr UINT kCodePage = 932;

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

const wchar_t* Units(std::u16string_view text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 in both");
    return reinterpret_cast<const wchar_t*>(text.data());
}

class SystemCp932 final : public Cp932Table {
public:
    bool Encode(std::u16string_view text, std::string& bytes) const override {
        bytes.clear();
        if (text.empty()) return true;
        if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
        // WC_NO_BEST_FIT_CHARS keeps every character that does not come back
        // unchanged from its code page 932 form out of the result, and the
        // used-default flag says that happened. A lone surrogate has no form.
        const int length = static_cast<int>(text.size());
        BOOL usedDefault = FALSE;
        const int needed = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, Units(text), length, nullptr, 0,
                                               nullptr, &usedDefault);
        if (needed <= 0 || usedDefault) return false;
        bytes.resize(static_cast<std::size_t>(needed));
        const int written = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, Units(text), length,
                                                bytes.data(), needed, nullptr, &usedDefault);
        // Belt and braces: the bytes must give back the very same text.
        std::u16string back;
        if (written != needed || usedDefault || !Decode(bytes, false, back) || back != text) {
            bytes.clear();
            return false;
        }
        return true;
    }

    bool Decode(std::string_view bytes, bool lenient, std::u16string& text) const override {
        text.clear();
        if (bytes.empty()) return true;
        if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
        const DWORD flags = lenient ? 0 : MB_ERR_INVALID_CHARS;
        const int length = static_cast<int>(bytes.size());
        const int needed = MultiByteToWideChar(kCodePage, flags, bytes.data(), length, nullptr, 0);
        if (needed <= 0) return false;
        text.resize(static_cast<std::size_t>(needed));
        return MultiByteToWideChar(kCodePage, flags, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                                   needed) == needed;
    }
};

// One for the process: every conversion, on any thread, must lend a character
// the place it was lent before; each run starts with every place free.
LentPlaces& Lent() {
    static const SystemCp932 table;
    static LentPlaces places(table);
    return places;
}

// Copies rather than casts: wchar_t and char16_t are distinct types to the
// compiler, even where both are UTF-16 units.
std::u16string Utf16(std::wstring_view text) { return {text.begin(), text.end()}; }

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::wstring ToWide(std::string_view text) {
    std::u16string wide;
    if (!Lent().ToSystem(UpToZero(text), true, wide)) wide.clear();
    return Wide(wide);
}

bool ToWidePath(std::string_view path, std::wstring& wide) {
    std::u16string text;
    const bool exact = Lent().ToSystem(UpToZero(path), false, text);
    wide = exact ? Wide(text) : std::wstring();
    return exact;
}

bool ToCp932(std::wstring_view text, std::string& bytes) { return Lent().ToProgram(Utf16(text), bytes); }

std::string ToCp932Shown(std::wstring_view text) { return Lent().ToProgramShown(Utf16(text)); }

std::string WrittenForm(std::string_view text) { return Lent().Written(text); }

bool HoldsLentCharacters(std::string_view text) { return Lent().HoldsLent(text); }

void ForgetLentCharacters() { Lent().Forget(); }

}  // namespace rt
