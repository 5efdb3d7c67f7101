#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "runtime/run/Pool.h"

// The one way the runtime makes a system call that may wait on a file
// server (a listing, a look for an entry, a folder made or removed, a file
// opened, written or closed): on the run's pool, the program's thread
// polling meanwhile (runtime/run/Pool.h).
namespace rt {

// Makes `call` on the pool and gives back its result, with GetLastError()
// as the call left it, read on the worker right after the call and set again
// here: the code around it reads as if the call were made here. `call` gets
// only copies (capture by value): after Ctrl+C it may still run, with
// nothing of the program's left to touch.
template <class Call>
std::invoke_result_t<Call&> OffThread(Call call) {
    using Result = std::invoke_result_t<Call&>;
    struct Answer {
        std::optional<Result> result;
        DWORD error = ERROR_SUCCESS;
    };
    auto answer = std::make_shared<Answer>();
    CallOnWorker([answer, call = std::move(call)]() mutable {
        Result result = call();
        answer->error = GetLastError();
        answer->result.emplace(std::move(result));
    });
    SetLastError(answer->error);
    return std::move(*answer->result);
}

}  // namespace rt
