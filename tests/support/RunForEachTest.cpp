#include <gtest/gtest.h>

#include <memory>

#include "runtime/files/Run.h"

namespace {

// Every test runs in a run of its own, as the program's start makes one:
// no open file, search, event, poll state or worker thread of one test is
// seen by the next. A test that runs the program gets the program's run
// inside its own for that time.
class RunForEachTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { run_ = std::make_unique<rt::Run>(); }
    void OnTestEnd(const testing::TestInfo&) override { run_.reset(); }

    std::unique_ptr<rt::Run> run_;
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new RunForEachTest);
    return true;
}();

}  // namespace
