#include "shell/MainWindow.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "shell/DisplayScale.h"
#include "shell/DpiChange.h"
#include "shell/Fonts.h"
#include "shell/FormDefinition.h"
#include "shell/DroppedFiles.h"
#include "shell/FormIcons.h"
#include "shell/ListMenu.h"

namespace shell {

namespace {

constexpr wchar_t kWindowClass[] = L"SORATN2.MAINFORM";
constexpr int kFormId = 0;
constexpr int kMaxEditCharacters = 32767;

HBRUSH WhiteBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

// The form a window of the class was made for, given at its making; null
// before that and for any other window.
MainForm* FormOf(HWND window) {
    return window != nullptr ? reinterpret_cast<MainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

void RaiseEvent(MainForm* form, int id, Event event) {
    if (form != nullptr) form->RaiseEvent(id, event);
}

void OnCommand(MainForm* form, WPARAM wParam) {
    const int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
        case BN_CLICKED: RaiseEvent(form, id, Event::kOn); break;
        // Wine reports a deselection by Space as LBN_SELCANCEL.
        case LBN_SELCHANGE:
        case LBN_SELCANCEL:
            RaiseEvent(form, id, Event::kChange);
            RaiseEvent(form, id, Event::kClick);
            break;
        default: break;
    }
}

// The form comes with the window's making and stays with the window.
void OnCreating(HWND window, LPARAM lParam) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
}

LRESULT OnControlColour(MainForm* form, UINT message, WPARAM deviceContext) {
    if (form == nullptr) return reinterpret_cast<LRESULT>(WhiteBrush());
    return form->Colours().ControlColour(message, reinterpret_cast<HDC>(deviceContext));
}

// High contrast may have been turned on or off.
void OnColoursChanged(MainForm* form, HWND window) {
    if (form != nullptr) form->Colours().Refresh(window);
}

// Busy while a procedure runs or waits to run, and while input or posted
// messages wait that may queue one (the button-up of a click).
LRESULT OnBusyQuery() {
    const bool messagesWait = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0;
    return rt::InEventProcedure() || rt::QueuedEvents() > 0 || messagesWait;
}

// A close request reaches the form during a procedure only through the loop
// of a dialog or message box the procedure opened: elsewhere the poll leaves
// it waiting in the queue. Closing then would destroy the open dialog under
// its own loop, which Wine's save dialog does not survive, so the request
// waits its turn as a click does and comes again once the procedure is over.
LRESULT OnClose(HWND window) {
    if (!rt::InEventProcedure()) return DefWindowProcW(window, WM_CLOSE, 0, 0);
    rt::QueueEvent([window] { PostMessageW(window, WM_CLOSE, 0, 0); });
    return 0;
}

// The rectangle the system proposes comes with the new dots per inch.
void OnDpiChanged(MainForm* form, WPARAM wParam, LPARAM lParam) {
    if (form != nullptr) FollowDpiChange(*form, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
}

bool OnMenuAsked(MainForm* form, HWND window, WPARAM wParam, LPARAM lParam) {
    return form != nullptr && OnContextMenu(window, form->EventsWithArguments(), reinterpret_cast<HWND>(wParam), lParam);
}

void OnDrop(MainForm* form, HWND window, WPARAM wParam) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    if (form != nullptr) {
        OnDropFiles(window, form->EventsWithArguments(), drop);
    } else {
        DragFinish(drop);
    }
}

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BusyQueryMessage()) return OnBusyQuery();
    MainForm* form = FormOf(window);
    switch (message) {
        case WM_NCCREATE: OnCreating(window, lParam); return DefWindowProcW(window, message, wParam, lParam);
        case WM_COMMAND: OnCommand(form, wParam); return 0;
        case WM_SIZE: RaiseEvent(form, kFormId, Event::kResize); return 0;
        case WM_DPICHANGED: OnDpiChanged(form, wParam, lParam); return 0;
        case WM_CLOSE: return OnClose(window);
        case WM_DROPFILES: OnDrop(form, window, wParam); return 0;
        case WM_CONTEXTMENU:
            if (OnMenuAsked(form, window, wParam, lParam)) return 0;
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return OnControlColour(form, message, wParam);
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            OnColoursChanged(form, window);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

struct WindowStyle {
    const wchar_t* windowClass;
    DWORD style;
};

WindowStyle StyleOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        // One line: a count such as " 30000" would otherwise break at its
        // leading blank and fall below the control.
        case ControlKind::kStaticLeft: return {L"Static", kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX};
        case ControlKind::kStaticRight: return {L"Static", kChild | SS_RIGHT | SS_NOPREFIX};
        case ControlKind::kList:
            return {L"ListBox", kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT |
                                    LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT};
        case ControlKind::kButton: return {L"Button", kChild | WS_TABSTOP | BS_PUSHBUTTON};
        case ControlKind::kCheck: return {L"Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX};
        case ControlKind::kEdit:
            return {L"Edit", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NOHIDESEL};
    }
    return {L"Static", kChild};
}

// The outer rectangle of that size in the middle of the screen. A window
// larger than the screen (700 x 550 at 200 % on a 1080-line screen) starts at
// its top left instead, so that its title bar can still be taken.
RECT Centred(int width, int height) {
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    return {x, y, x + width, y + height};
}

// Made at the program's size in the middle of the screen, the form learns
// the dots per inch of the monitor it is on, and takes the size it has at them.
void ScaleToItsMonitor(MainForm& mainForm, HWND form, const FormDefinition& definition) {
    mainForm.SetDpi(SystemDpiOf(form));
    const RECT place = Centred(ToScreen(definition.width), ToScreen(definition.height));
    SetWindowPos(form, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool MainForm::CreateControls(HINSTANCE instance) {
    const FormDefinition& definition = MainFormDefinition();
    const auto controls = MainFormControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDefinition& control = controls[i];
        const WindowStyle style = StyleOf(control.kind);
        const DWORD disabled = control.initiallyDisabled ? WS_DISABLED : 0;
        const HWND window = CreateWindowExW(
            0, style.windowClass, rt::ToWide(control.text).c_str(), style.style | disabled,
            ToScreen(control.x), ToScreen(control.y), ToScreen(control.width), ToScreen(control.height), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance, nullptr);
        if (window == nullptr) return false;
        fonts_.Set(window, definition.fontFace, definition.fontSize);
        if (control.kind == ControlKind::kEdit) SendMessageW(window, EM_SETLIMITTEXT, kMaxEditCharacters, 0);
    }
    return true;
}

void MainForm::BindEvents(const ProcedureLookup& lookup) {
    const auto bind = [&](int id, std::string_view name, std::span<const Event> events) {
        for (const Event event : events) {
            bindings_[static_cast<std::size_t>(id)][static_cast<std::size_t>(event)] = lookup(std::string(name) + "_" + std::string(EventName(event)));
        }
    };
    bind(kFormId, MainFormDefinition().name, FormEvents());
    const auto controls = MainFormControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        bind(kFirstControlId + static_cast<int>(i), controls[i].name, EventsOf(controls[i].kind));
    }
}

MainForm::MainForm(HINSTANCE instance, int icon, const ProcedureLookup& lookup,
                   const ArgumentProcedureLookup& argumentLookup) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainFormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = WhiteBrush();
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

    const FormDefinition& definition = MainFormDefinition();
    const RECT place = Centred(definition.width, definition.height);
    window_ = CreateWindowExW(0, kWindowClass, rt::ToWide(definition.caption).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top, definition.width,
                              definition.height, nullptr, nullptr, instance, this);
    if (window_ == nullptr) return;
    hooks_.emplace(Hooks());
    ScaleToItsMonitor(*this, window_, definition);
    colours_.Refresh(window_);
    // Dropped on any control, files come to the form: no control takes them.
    DragAcceptFiles(window_, TRUE);
    icons_.Show(window_, instance, icon);
    if (!CreateControls(instance)) {
        Destroy();
        return;
    }
    BindEvents(lookup);
    argumentEvents_.Bind(argumentLookup);
}

MainForm::~MainForm() { Destroy(); }

rt::RunHooks MainForm::Hooks() {
    return {.mainWindow = window_,
            .owner = this,
            .filter = [](MSG& message) {
                MainForm* form = TheForm();
                return form != nullptr && form->keyboard_.Navigate(message);
            },
            .paint = [] { if (MainForm* form = TheForm()) form->PaintWhileBusy(); },
            .settle = [](rt::SettlePoint point) { if (MainForm* form = TheForm()) form->procedures_.Settle(point); }};
}

void MainForm::PaintWhileBusy() {
    procedures_.Settle(rt::SettlePoint::kPaintDue);
    if (IsWindow(window_)) RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainForm::Destroy() {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    hooks_.reset();
    bindings_ = EventBindings{};
    argumentEvents_.Clear();
}

void MainForm::RaiseEvent(int id, Event event) {
    if (id < kFormId || id > kControlCount) return;
    const std::function<void()>& procedure = bindings_[static_cast<std::size_t>(id)][static_cast<std::size_t>(event)];
    if (procedure) rt::QueueEvent(procedure);
}

MainForm* TheForm() { return static_cast<MainForm*>(rt::Hooks().owner); }

UINT BusyQueryMessage() {
    static const UINT message = RegisterWindowMessageW(L"SORATN2.Busy");
    return message;
}

}  // namespace shell
