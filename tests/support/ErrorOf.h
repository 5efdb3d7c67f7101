#pragma once

#include "runtime/lang/RuntimeError.h"

namespace test {

// The number of the runtime error that `action` raises, or 0 when it raises none.
template <typename Action>
int ErrorOf(Action&& action) {
    try {
        action();
    } catch (const rt::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace test
