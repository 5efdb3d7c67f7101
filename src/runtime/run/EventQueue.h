#pragma once

#include <array>
#include <cstddef>
#include <functional>

// The event procedures waiting to run, oldest first.
namespace rt {

// A ring of 64 places, all there from the start: a procedure small enough to
// be held inside a std::function (a pointer or two) is queued without
// allocating, as a window procedure needs.
class EventQueue {
public:
    static constexpr std::size_t kLimit = 64;

    // False, and the procedure dropped, when 64 already wait.
    bool Push(const std::function<void()>& procedure);
    // The oldest waiting procedure, taken out; empty when none waits.
    std::function<void()> Pop();
    std::size_t Size() const { return size_; }

private:
    std::array<std::function<void()>, kLimit> ring_;
    std::size_t first_ = 0;
    std::size_t size_ = 0;
};

// Appends an event procedure to the run's queue, which WaitForEvents runs
// from; beyond 64, or outside a run, it is dropped.
void QueueEvent(const std::function<void()>& procedure);
std::size_t QueuedEvents();

}  // namespace rt
