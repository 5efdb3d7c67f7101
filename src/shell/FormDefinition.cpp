#include "shell/FormDefinition.h"

#include <array>

namespace shell {

namespace {

using K = ControlKind;

constexpr FormDefinition kMainForm{"MAINFORM", "MAINFORM", 700, 550, "ＭＳ Ｐゴシック", 14};

constexpr std::array<ControlDefinition, kControlCount> kControls{{
    // name       kind            text                    x    y    w    h  disabled
    {"TEXT1",   K::kStaticLeft,  "",                     312, 132,  48,  18, false},
    {"TEXT2",   K::kStaticRight, "抽出フォルダー数",     192, 132, 108,  18, false},
    {"TEXT3",   K::kStaticLeft,  "",                     492, 132,  54,  18, false},
    {"TEXT4",   K::kStaticRight, "",                     372, 132, 108,  18, false},
    {"LIST1",   K::kList,        "",                      18, 156, 650, 338, false},
    {"BUTTON1", K::kButton,      "－",                   570, 132,  36,  18, false},
    {"BUTTON2", K::kButton,      "＋",                   618, 132,  36,  18, false},
    {"TEXT5",   K::kStaticLeft,  "文字の大きさ",         570, 114,  90,  18, false},
    {"BUTTON3", K::kButton,      "全部選択",              18, 132,  78,  24, false},
    {"BUTTON4", K::kButton,      "全部解除",             102, 132,  78,  24, false},
    {"BUTTON5", K::kButton,      "コピー元",              24,   6,  78,  24, false},
    {"BUTTON6", K::kButton,      "コピー先",              24,  42,  78,  24, false},
    {"TEXT6",   K::kStaticLeft,  "",                     120,  12, 540,  18, false},
    {"TEXT7",   K::kStaticLeft,  "",                     120,  48, 540,  18, false},
    {"CHECK1",  K::kCheck,       "親フォルダーもコピーする", 24,  78, 174,  18, false},
    {"EDIT1",   K::kEdit,        "",                     198,  72, 258,  24, false},
    {"BUTTON7", K::kButton,      "コピー実行",           576,  72,  78,  30, false},
    {"BUTTON8", K::kButton,      "リストをテキスト出力",  24, 102, 156,  24, false},
    {"BUTTON9", K::kButton,      "元に戻す",             492,  72,  78,  30, true},
}};

constexpr std::array<std::string_view, kEventCount> kEventNames{"ON", "CHANGE", "CLICK", "RESIZE", "MENU", "DROPFILES"};

constexpr std::array<Event, 1> kFormEvents{Event::kResize};
constexpr std::array<Event, 2> kListEvents{Event::kChange, Event::kClick};
constexpr std::array<Event, 1> kButtonEvents{Event::kOn};
constexpr std::array<Event, 1> kDropEvents{Event::kDropFiles};
constexpr std::array<Event, 2> kListArgumentEvents{Event::kMenu, Event::kDropFiles};

}  // namespace

const FormDefinition& MainFormDefinition() { return kMainForm; }

std::span<const ControlDefinition> MainFormControls() { return kControls; }

std::string_view EventName(Event event) { return kEventNames[static_cast<std::size_t>(event)]; }

std::span<const Event> EventsOf(ControlKind kind) {
    switch (kind) {
        case K::kList: return kListEvents;
        case K::kButton:
        case K::kCheck: return kButtonEvents;
        case K::kStaticLeft:
        case K::kStaticRight:
        case K::kEdit: return {};
    }
    return {};
}

std::span<const Event> FormEvents() { return kFormEvents; }

std::span<const Event> ArgumentEventsOf(ControlKind kind) {
    return kind == K::kList ? std::span<const Event>(kListArgumentEvents) : std::span<const Event>(kDropEvents);
}

std::span<const Event> FormArgumentEvents() { return kDropEvents; }

}  // namespace shell
