#include "shell/DroppedFiles.h"

#include <new>
#include <string>

#include "runtime/system/Cp932.h"

namespace shell {

namespace {

constexpr int kFormId = 0;
constexpr UINT kCountQuery = 0xFFFFFFFF;

// The one owner of a drop's memory, which DragFinish gives back.
class DropOwner {
public:
    explicit DropOwner(HDROP drop) : drop_(drop) {}
    ~DropOwner() { DragFinish(drop_); }
    DropOwner(const DropOwner&) = delete;
    DropOwner& operator=(const DropOwner&) = delete;

    HDROP Get() const { return drop_; }

private:
    HDROP drop_;
};

// The path as the system gives it, of any length it holds.
std::wstring FirstPath(HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    return path;
}

// The control under the drop point, or the form itself.
int TargetId(HWND form, HDROP drop) {
    POINT point{};
    DragQueryPoint(drop, &point);
    const HWND child = ChildWindowFromPointEx(form, point, CWP_SKIPINVISIBLE);
    if (child == nullptr || child == form) return kFormId;
    return GetDlgCtrlID(child);
}

}  // namespace

void OnDropFiles(HWND form, const ArgumentEvents& events, HDROP drop) {
    const DropOwner owner(drop);
    try {
        EventArgument argument;
        argument.count = static_cast<rt::Single>(DragQueryFileW(owner.Get(), kCountQuery, nullptr, 0));
        if (argument.count >= 1 && !rt::ToCp932(FirstPath(owner.Get()), argument.path)) argument.path.clear();
        const int id = TargetId(form, owner.Get());
        events.Raise(events.Bound(id, Event::kDropFiles) ? id : kFormId, Event::kDropFiles, argument);
    } catch (const std::bad_alloc&) {
        // The drop is lost, as an event beyond the queue's 64 is.
    }
}

}  // namespace shell
