// Any UTF-16 text, lone surrogates included, to a program string and back:
// it comes back unchanged, and text with a code page 932 form is that form
// byte for byte. The program form holds "\", "/", ":", a wildcard or a control
// code as a character of its own only where the text held it, so the path
// splitting cuts it at the text's own separators and the name correction
// replaces only what the text held.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "program/scan/NameUtilities.h"
#include "runtime/lang/SplitPath.h"
#include "runtime/system/IconvCp932Table.h"
#include "runtime/system/LentPlaces.h"

namespace {

using fuzz::Require;

constexpr std::size_t kLongestText = 512;
constexpr std::size_t kLongestCorrected = 64;
constexpr std::string_view kNotInNames = "\\/:*?\"<>|";

bool IsUserDefined(char16_t unit) { return unit >= 0xE000 && unit <= 0xE757; }

// The one-byte characters that no lent place may add: separators, the colon,
// wildcards, quotes and control codes.
std::string Specials(std::string_view bytes) {
    std::string specials;
    for (const std::string_view character : fuzz::Characters(bytes)) {
        if (character.size() != 1) continue;
        const auto byte = static_cast<unsigned char>(character[0]);
        if (byte < 32 || kNotInNames.find(character[0]) != std::string_view::npos) specials += character[0];
    }
    return specials;
}

std::string Specials(std::u16string_view text) {
    std::string specials;
    for (const char16_t unit : text) {
        if (unit < 32 || (unit < 0x80 && kNotInNames.find(static_cast<char>(unit)) != std::string_view::npos)) {
            specials += static_cast<char>(unit);
        }
    }
    return specials;
}

void CheckPathSplitting(std::string_view bytes) {
    const rt::PathParts parts = rt::SplitPath(bytes);
    Require(parts.drive + parts.folder + parts.name + parts.extension == bytes, "the four parts give the path back");
    Require(Specials(parts.name + parts.extension).find('\\') == std::string::npos,
            "no \\ character after the folder");
}

// Each of the nine characters a name cannot hold, and only those, gives way
// to its full-width form; every lent character stays the character it was.
void CheckNameCorrection(rt::LentPlaces& places, const test::IconvCp932Table& table, std::u16string_view text,
                         const std::string& bytes) {
    std::string corrected = bytes;
    program::ファイル名修正_SUB(corrected);
    std::u16string back;
    Require(places.ToSystem(corrected, false, back), "a corrected name is still text");
    Require(back.size() == text.size(), "the correction keeps every unit");
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit < 0x80 && kNotInNames.find(static_cast<char>(unit)) != std::string_view::npos) {
            std::u16string fullWidth;
            Require(table.Decode(rt::FullWidth(std::string(1, static_cast<char>(unit))), false, fullWidth),
                    "the full-width form is text");
            Require(back.substr(at, 1) == fullWidth, "a character a name cannot hold becomes its full-width form");
        } else {
            Require(back[at] == unit, "every other character stays as it is");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::IconvCp932Table table;
    static rt::LentPlaces places(table);
    if (size > 2 * kLongestText) return 0;
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    // Each input is a run of its own.
    places.Forget();

    std::string bytes;
    Require(places.ToProgram(text, bytes), "one input cannot use up every place");
    std::u16string back;
    Require(places.ToSystem(bytes, false, back), "the program form is code page 932 text");
    Require(back == text, "the text comes back unchanged");
    Require(places.ToProgramShown(text) == bytes, "the shown form of text that has places is the same");
    std::string again;
    Require(places.ToProgram(text, again) && again == bytes, "a character keeps its place for the run");

    std::string own;
    bool userDefined = false;
    for (const char16_t unit : text) userDefined = userDefined || IsUserDefined(unit);
    if (!userDefined && table.Encode(text, own)) {
        Require(bytes == own, "text with a code page 932 form is that form");
        Require(!places.HoldsLent(bytes), "and holds no lent place");
    }

    Require(Specials(bytes) == Specials(text), "no separator, colon, wildcard or control code but the text's own");
    std::string written = places.Written(bytes);
    std::erase(written, '?');
    std::string textSpecials = Specials(text);
    std::erase(textSpecials, '?');
    Require(Specials(written) == textSpecials, "a written line adds nothing but question marks");
    CheckPathSplitting(bytes);
    // The correction starts over after each replacement: short names say it all.
    if (text.find(u'\0') == std::u16string::npos && text.size() <= kLongestCorrected) {
        CheckNameCorrection(places, table, text, bytes);
    }
    return 0;
}
