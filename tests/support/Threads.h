#pragma once

#include <windows.h>
#include <tlhelp32.h>

namespace test {

// The threads of this process, as the system counts them.
inline int ThreadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
        if (thread.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// Looks every 10 ms, for up to 5 s, until `done` holds; false if it never did.
template <class Done>
bool WaitUntilTrue(Done done) {
    for (int looks = 0; looks < 500; ++looks) {
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

}  // namespace test
