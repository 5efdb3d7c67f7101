#include "program/scan/NameUtilities.h"

#include "runtime/lang/Strings.h"
#include "runtime/run/StatementMarker.h"

namespace program {

using rt::Line;

// positions(0) = the number of occurrences of pattern in text, positions(1)
// and on = their byte positions. Only matches that begin a character count:
// the second byte of ソ or 表 is the byte of "\", but no separator.
void INSTR_SUB(const std::string& text, const std::string& pattern, rt::Array<rt::Int16>& positions) {
    rt::Single character = 0;
    rt::Single slot = 0;
    Line(1200); character = 1;
    Line(1201); slot = 1;
    Line(1202); positions[0] = 0;
    for (;;) {
        Line(1203); if (!(character > 0)) break;
        Line(1204); character = static_cast<rt::Single>(rt::InStrChars(character, text, pattern));
        Line(1205); if (character == 0) break;
        Line(1206); positions[0] = rt::StoreInt16(positions[0] + 1);
        Line(1207); positions[slot] = rt::StoreInt16(rt::ByteLen(rt::LeftChars(text, character - 1)) + 1);
        Line(1208); character = rt::StoreSingle(rt::Add(character, 1));
        Line(1209); slot = rt::StoreSingle(rt::Add(slot, 1));
    }
}

// Puts the full-width look-alike in place of each character that cannot
// stand in a folder name.
void ファイル名修正_SUB(std::string& name) {
    std::string forbidden;
    std::string character;
    rt::Single k = 0;
    rt::Int16 replaced = 0;
    Line(1220); if (name == "") return;
    Line(1221); forbidden = "\\/:*?<>|" + rt::Chr({34});
    for (;;) {
        Line(1222); replaced = 0;
        Line(1223); rt::CountingLoop walk(k, 1, rt::CharLen(name));
        do {
            Line(1224); character = rt::MidChars(name, k, 1);
            Line(1225); if (rt::InStrChars(1, forbidden, character) > 0) {
                Line(1226); name = rt::LeftChars(name, k - 1) + rt::FullWidth(character) + rt::MidChars(name, k + 1);
                Line(1227); replaced = 1;
                break;
            }
        } while (walk.Next());
        Line(1228); if (replaced == 0) return;
    }
}

}  // namespace program
