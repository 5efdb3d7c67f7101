#pragma once

#include "runtime/files/DirectorySearch.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/files/ReadAhead.h"
#include "runtime/run/RunState.h"

// One run of the program, from its start to its end: what the program's
// thread keeps for it (runtime/run/RunState.h), and the open files, the
// directory searches and the walk's read-ahead. Made once by the program's
// start, or by a test for itself; its end is the state of a fresh start.
namespace rt {

class Run : public RunState {
public:
    Run() = default;
    // The read-ahead stops and the pool's threads go before the searches and
    // the files they could have been working for are closed.
    ~Run() {
        readAhead.Stop();
        pool.End();
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    SearchTable searches;
    OpenFileTable files;
    ReadAhead readAhead{pool};
};

// The run in force. Every run state a program makes is a Run.
inline Run& TheRun() { return static_cast<Run&>(*CurrentRunState()); }

}  // namespace rt
