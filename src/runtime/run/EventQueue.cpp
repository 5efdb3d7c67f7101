#include "runtime/run/EventQueue.h"

#include "runtime/run/RunState.h"

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

void QueueEvent(const std::function<void()>& procedure) {
    if (RunState* run = CurrentRunState()) run->events.Push(procedure);
}

std::size_t QueuedEvents() {
    const RunState* run = CurrentRunState();
    return run != nullptr ? run->events.Size() : 0;
}

}  // namespace rt
