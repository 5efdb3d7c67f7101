#pragma once

#include <windows.h>

namespace test {

// The main window after start-up at 96 dots per inch: the class, text, place
// and state of each control, in creation order.
struct ExpectedControl {
    const wchar_t* className;
    const wchar_t* text;
    int x, y, width, height;
    bool enabled;
    bool tabStop;
};

inline const ExpectedControl kStartupState[] = {
    {L"Static", L"", 312, 132, 48, 18, true, false},
    {L"Static", L"抽出フォルダー数", 192, 132, 108, 18, true, false},
    {L"Static", L"", 492, 132, 54, 18, true, false},
    {L"Static", L"", 372, 132, 108, 18, true, false},
    {L"ListBox", L"", 18, 156, 650, 340, false, true},  // the first layout adds 2 pixels
    {L"Button", L"－", 570, 132, 36, 18, false, true},
    {L"Button", L"＋", 618, 132, 36, 18, false, true},
    {L"Static", L"文字の大きさ", 570, 114, 90, 18, true, false},
    {L"Button", L"全部選択", 18, 132, 78, 24, false, true},
    {L"Button", L"全部解除", 102, 132, 78, 24, false, true},
    {L"Button", L"コピー元", 24, 6, 78, 24, true, true},
    {L"Button", L"コピー先", 24, 42, 78, 24, true, true},
    {L"Static", L"", 120, 12, 540, 18, true, false},
    {L"Static", L"", 120, 48, 540, 18, true, false},
    {L"Button", L"親フォルダーもコピーする", 24, 78, 174, 18, true, true},
    {L"Edit", L"", 198, 72, 258, 24, true, true},
    {L"Button", L"コピー実行", 576, 72, 78, 30, false, true},
    {L"Button", L"リストをテキスト出力", 24, 102, 156, 24, false, true},
    {L"Button", L"元に戻す", 492, 72, 78, 30, false, true},
};

}  // namespace test
