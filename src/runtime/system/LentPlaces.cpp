#include "runtime/system/LentPlaces.h"

#include <algorithm>

namespace rt {

namespace {

constexpr unsigned char kFirstLead = 0xF0;
constexpr unsigned char kLastLead = 0xF9;
constexpr int kTrailsPerLead = 188;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool IsUserDefined(char32_t codePoint) {
    return codePoint >= LentPlaces::kFirstUserDefined &&
           codePoint < LentPlaces::kFirstUserDefined + static_cast<char32_t>(LentPlaces::kPlaceCount);
}

bool HoldsUserDefined(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) { return IsUserDefined(unit); });
}

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// A lead byte of the area anywhere, even as a second byte: only then can a
// text hold a lent place.
bool MayHoldPlaces(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return value >= kFirstLead && value <= kLastLead;
    });
}

// Calls `each` with every code point: a surrogate pair is one, a lone
// surrogate stands for itself (Windows names may hold one).
template <class Each>
void ForEachCodePoint(std::u16string_view text, Each each) {
    for (std::size_t at = 0; at < text.size();) {
        const char16_t unit = text[at];
        if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            each(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00));
            at += 2;
        } else {
            each(static_cast<char32_t>(unit));
            at += 1;
        }
    }
}

void AppendUtf16(char32_t codePoint, std::u16string& text) {
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
    } else {
        text += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
        text += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    }
}

// Place numbers and their two bytes.
int PlaceOfBytes(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > kLastLead) return -1;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return -1;
    return (lead - kFirstLead) * kTrailsPerLead + (trail - 0x40) - (trail > 0x7F ? 1 : 0);
}

void AppendPlaceBytes(int place, std::string& bytes) {
    const int step = place % kTrailsPerLead;
    bytes += static_cast<char>(kFirstLead + place / kTrailsPerLead);
    bytes += static_cast<char>(0x40 + step + (step >= 0x3F ? 1 : 0));
}

// Calls `each` with the offset and place of every whole character of the
// area; a lead byte without its second byte is no character.
template <class Each>
void ForEachPlace(std::string_view bytes, Each each) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (!IsLeadByte(lead) || at + 1 >= bytes.size()) {
            at += 1;
            continue;
        }
        const int place = PlaceOfBytes(lead, static_cast<unsigned char>(bytes[at + 1]));
        if (place >= 0) each(at, place);
        at += 2;
    }
}

}  // namespace

bool LentPlaces::ToProgram(std::u16string_view text, std::string& bytes) {
    const bool whole = Convert(text, false, bytes);
    if (!whole) bytes.clear();
    return whole;
}

std::string LentPlaces::ToProgramShown(std::u16string_view text) {
    std::string bytes;
    Convert(text, true, bytes);
    return bytes;
}

// The program form, with "?" for each character that got no place when
// `shown`; false when some character got none.
bool LentPlaces::Convert(std::u16string_view text, bool shown, std::string& bytes) {
    bytes.clear();
    if (!HoldsUserDefined(text) && table_.Encode(text, bytes)) return true;
    bytes.clear();
    bool failed = false;
    const std::lock_guard lock(mutex_);
    ForEachCodePoint(text, [&](char32_t codePoint) { AppendCodePoint(codePoint, bytes, failed, shown); });
    return !failed;
}

bool LentPlaces::ToSystem(std::string_view bytes, bool lenient, std::u16string& text) {
    if (!table_.Decode(bytes, lenient, text)) return false;
    if (!HoldsUserDefined(text)) return true;
    std::u16string given;
    given.reserve(text.size() + 8);
    const std::lock_guard lock(mutex_);
    for (const char16_t unit : text) {
        if (!IsUserDefined(unit)) {
            given += unit;
            continue;
        }
        // A place nobody holds yet is the character's own from now on, so
        // that what these bytes mean cannot change later in the run.
        char32_t& holder = holder_[unit - kFirstUserDefined];
        if (holder == kNone) holder = unit;
        AppendUtf16(holder, given);
    }
    text = std::move(given);
    return true;
}

std::string LentPlaces::Written(std::string_view bytes) {
    if (!MayHoldPlaces(bytes)) return std::string(bytes);
    std::string written;
    written.reserve(bytes.size());
    std::size_t copied = 0;
    const std::lock_guard lock(mutex_);
    ForEachPlace(bytes, [&](std::size_t at, int place) {
        if (!IsLent(place)) return;
        written.append(bytes.substr(copied, at - copied)).append("?");
        copied = at + 2;
    });
    written.append(bytes.substr(copied));
    return written;
}

bool LentPlaces::HoldsLent(std::string_view bytes) {
    if (!MayHoldPlaces(bytes)) return false;
    bool holds = false;
    const std::lock_guard lock(mutex_);
    ForEachPlace(bytes, [&](std::size_t, int place) { holds = holds || IsLent(place); });
    return holds;
}

void LentPlaces::Forget() {
    const std::lock_guard lock(mutex_);
    holder_ = MakeFree();
    placeOfLent_.clear();
    nextToLend_ = kPlaceCount - 1;
}

bool LentPlaces::IsLent(int place) const {
    const char32_t holder = holder_[static_cast<std::size_t>(place)];
    return holder != kNone && holder != kFirstUserDefined + static_cast<char32_t>(place);
}

// Under the lock. A character keeps the place it was lent; a user-defined
// character keeps its own place unless that was lent to another.
void LentPlaces::AppendCodePoint(char32_t codePoint, std::string& bytes, bool& failed, bool shown) {
    if (const auto lent = placeOfLent_.find(codePoint); lent != placeOfLent_.end()) {
        AppendPlaceBytes(lent->second, bytes);
        return;
    }
    if (IsUserDefined(codePoint)) {
        const int own = static_cast<int>(codePoint - kFirstUserDefined);
        char32_t& holder = holder_[static_cast<std::size_t>(own)];
        if (holder == kNone) holder = codePoint;
        if (holder == codePoint) {
            AppendPlaceBytes(own, bytes);
            return;
        }
    } else {
        std::u16string character;
        AppendUtf16(codePoint, character);
        std::string form;
        if (table_.Encode(character, form)) {
            bytes += form;
            return;
        }
    }
    const int place = LendPlace(codePoint);
    if (place >= 0) {
        AppendPlaceBytes(place, bytes);
        return;
    }
    failed = true;
    if (shown) bytes += '?';
}

int LentPlaces::LendPlace(char32_t codePoint) {
    for (; nextToLend_ >= 0; --nextToLend_) {
        const int place = nextToLend_;
        if (holder_[static_cast<std::size_t>(place)] != kNone) continue;
        // A second byte "\" or "|" is no separator inside a whole character,
        // but lent places avoid even that.
        std::string placeBytes;
        AppendPlaceBytes(place, placeBytes);
        if (placeBytes[1] == '\\' || placeBytes[1] == '|') continue;
        holder_[static_cast<std::size_t>(place)] = codePoint;
        placeOfLent_.emplace(codePoint, static_cast<std::uint16_t>(place));
        --nextToLend_;
        return place;
    }
    return -1;
}

}  // namespace rt
