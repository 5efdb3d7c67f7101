#include "runtime/run/EventQueue.h"

namespace rt {

bool EventQueue::Push(const std::function<void()>& procedure) {
    if (size_ == kLimit) return false;
    ring_[(first_ + size_) % kLimit] = procedure;
    ++size_;
    return true;
}

std::function<void()> EventQueue::Pop() {
    if (size_ == 0) return {};
    std::function<void()> procedure = std::move(ring_[first_]);
    ring_[first_] = nullptr;
    first_ = (first_ + 1) % kLimit;
    --size_;
    return procedure;
}

void EventQueue::Clear() {
    ring_.fill(nullptr);
    first_ = 0;
    size_ = 0;
}

// Kept for the process: the window procedure queues into it, and it carries
// no object of the program's; the run's start and end empty it.
EventQueue& ProgramEvents() {
    static EventQueue events;
    return events;
}

void QueueEvent(const std::function<void()>& procedure) { ProgramEvents().Push(procedure); }

std::size_t QueuedEvents() { return ProgramEvents().Size(); }

}  // namespace rt
