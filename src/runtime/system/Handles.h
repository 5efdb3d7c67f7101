#pragma once

#include <windows.h>

#include <utility>

// The owners of the system's handles: one move-only type per kind, so that
// every handle the program holds has exactly one owner and is closed once.
// Threads are owned by std::thread, which the standard library already makes
// move-only and which must be joined or detached by its owner.
namespace rt {

// Sole owner of one handle of the kind `Traits` describes: its type, the
// value that stands for none, and how it is given back to the system.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return Traits::Valid(handle_); }

    Handle Release() { return std::exchange(handle_, Traits::None()); }
    void Reset(Handle handle = Traits::None()) {
        if (Valid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::None();
};

// Kernel handles: a failed CreateFile answers INVALID_HANDLE_VALUE, other
// calls null, so both stand for none.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

struct FindHandleTraits : FileHandleTraits {
    static void Close(Handle handle) { FindClose(handle); }
};

struct FontHandleTraits {
    using Handle = HFONT;
    static Handle None() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};

// An icon loaded at a size of its own; the system's shared icons are never
// owned.
struct IconHandleTraits {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DestroyIcon(handle); }
};

struct MenuHandleTraits {
    using Handle = HMENU;
    static Handle None() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DestroyMenu(handle); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using FontHandle = UniqueHandle<FontHandleTraits>;
using IconHandle = UniqueHandle<IconHandleTraits>;
using MenuHandle = UniqueHandle<MenuHandleTraits>;

}  // namespace rt
