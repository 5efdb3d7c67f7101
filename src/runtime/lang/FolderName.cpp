#include "runtime/lang/FolderName.h"

#include <array>
#include <cstddef>

#include "runtime/lang/Ascii.h"
#include "runtime/lang/Strings.h"

namespace rt {

namespace {

constexpr std::string_view kNotInNames = "\\/:*?\"<>|";

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Windows takes the part before the first dot, without trailing spaces, as
// the device: "con", "CON.txt" and "Con .tar.gz" all name the console.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kDevices) {
        if (SameIgnoringAsciiCase(base, device)) return true;
    }
    if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
    return SameIgnoringAsciiCase(base.substr(0, 3), "COM") || SameIgnoringAsciiCase(base.substr(0, 3), "LPT");
}

}  // namespace

bool IsExactFolderName(std::string_view name) {
    if (name.empty()) return false;
    // Whole characters only: the second byte of ソ is the byte of "\", and
    // that of other characters the byte of "|".
    std::size_t last = 0;
    for (std::size_t at = 0; at < name.size(); at = NextCharOffset(name, at)) {
        last = at;
        const auto byte = static_cast<unsigned char>(name[at]);
        if (IsLeadByte(byte)) {
            if (at + 1 >= name.size() || !IsTrailByte(static_cast<unsigned char>(name[at + 1]))) {
                return false;
            }
            continue;
        }
        if (byte < 32 || kNotInNames.find(static_cast<char>(byte)) != std::string_view::npos) return false;
    }
    const char lastByte = name[last];
    if (last == name.size() - 1 && (lastByte == '.' || lastByte == ' ')) return false;
    return !IsDeviceName(name);
}

}  // namespace rt
