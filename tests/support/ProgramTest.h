#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/files/FileStatements.h"
#include "runtime/system/Cp932.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

namespace test {

// The program starts in a folder of its own, where its logs go, and works
// on trees made below `source`. The user's answers to dialogs are scripted.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = rt::CurrentFolder("");
        rt::ChangeFolder(start.Path());
    }
    void TearDown() override { rt::ChangeFolder(saved_); }

    // The user confirms a name in `folder` at the next save dialog.
    void Choose(const std::string& folder, const std::string& name = "DUMMY") {
        ui.dialogAnswers.push_back(rt::ToWide(folder + "\\" + name));
    }
    // The same for a folder whose name has characters without a code page
    // 932 form: such a program string means something only within a run.
    void Choose(const std::wstring& folder) { ui.dialogAnswers.push_back(folder + L"\\DUMMY"); }
    void Cancel() { ui.dialogAnswers.push_back(std::nullopt); }

    // Scans a tree of the given folders below `root`, then runs the steps on
    // its list. The highlight and the marks must agree after every step.
    void RunOnTree(const std::string& root, const std::vector<std::string>& folders,
                   std::vector<std::function<void()>> steps) {
        for (const std::string& folder : folders) MakeFolders(root + "\\" + folder);
        Choose(root);
        std::vector<std::function<void()>> script{[] { Click(program::BUTTON5); }};
        for (auto& step : steps) {
            script.push_back([step = std::move(step)] {
                EXPECT_EQ(ListItems(), Table());
                step();
            });
        }
        script.push_back([] { EXPECT_EQ(ListItems(), Table()); });
        RunProgramWith(std::move(script));
    }

    std::string ScanLog() const { return ReadBytes(start / "TEST_FOL.TXT"); }
    std::string CopyLog() const { return ReadBytes(start / "TEST_FOL2.TXT"); }

    TempFolder start;
    TempFolder source;
    ScriptedModalUi ui;

private:
    std::string saved_;
};

// "(11) C:\BACKUP\A" and its line end, as the logs write a path.
inline std::string LogLine(const std::string& path) {
    return "(" + std::to_string(path.size()) + ") " + path + "\r\n";
}

}  // namespace test
