#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

// Program strings are code page 932 bytes, yet Windows names hold characters
// that code page 932 has no form for (〜 U+301C typed on a Mac, é, 한, 😀, a
// lone surrogate). Each such character is lent one place of the user-defined
// area F040-F9FC for the run, on first sight: it is then one double-byte
// character wherever the program counts, cuts or compares, and the boundary
// turns it back into the very character it stands for. Text with a code page
// 932 form never touches this and stays byte for byte what it was.
namespace rt {

// Code page 932 as the system converts it: no best fit, no default character.
class Cp932Table {
public:
    virtual ~Cp932Table() = default;
    // The exact form of the whole text; false when some character has none.
    virtual bool Encode(std::u16string_view text, std::string& bytes) const = 0;
    // The text of the bytes; false when they are no code page 932 text. With
    // `lenient`, such bytes become the default character instead.
    virtual bool Decode(std::string_view bytes, bool lenient, std::u16string& text) const = 0;
};

class LentPlaces {
public:
    // The user-defined area: lead bytes F0 to F9, 188 second bytes each, the
    // places of U+E000 to U+E757.
    static constexpr int kPlaceCount = 1880;
    static constexpr char16_t kFirstUserDefined = 0xE000;

    explicit LentPlaces(const Cp932Table& table) : table_(table) {}

    // The program form of the text; false, with `bytes` empty, when some
    // character could get no place because the area is used up.
    bool ToProgram(std::u16string_view text, std::string& bytes);

    // The same, with "?" for each character that could get no place: "?" is
    // in no Windows name, so the result never names another folder.
    std::string ToProgramShown(std::u16string_view text);

    // The system's text of program bytes, lent places given back; false when
    // the bytes are no code page 932 text (unless `lenient`).
    bool ToSystem(std::string_view bytes, bool lenient, std::u16string& text);

    // The bytes as a text file holds them: each lent place as "?", so a file
    // stays code page 932 text and no line names another folder.
    std::string Written(std::string_view bytes);

    // Whether the bytes hold a lent place.
    bool HoldsLent(std::string_view bytes);

    // Every place free again, as at the start of a run.
    void Forget();

private:
    static constexpr char32_t kNone = 0xFFFFFFFF;

    bool Convert(std::u16string_view text, bool shown, std::string& bytes);
    // A free place for the character, or -1 when none is left.
    int LendPlace(char32_t codePoint);
    bool IsLent(int place) const;
    void AppendCodePoint(char32_t codePoint, std::string& bytes, bool& failed, bool shown);

    const Cp932Table& table_;
    std::mutex mutex_;
    // The character each place stands for: its own (U+E000 + place) or the
    // one lent it; kNone while the place is free.
    std::array<char32_t, kPlaceCount> holder_ = MakeFree();
    std::unordered_map<char32_t, std::uint16_t> placeOfLent_;
    // Places are lent from the top down: the bottom is where people put their
    // own user-defined characters.
    int nextToLend_ = kPlaceCount - 1;

    static std::array<char32_t, kPlaceCount> MakeFree() {
        std::array<char32_t, kPlaceCount> free{};
        free.fill(kNone);
        return free;
    }
};

}  // namespace rt
