#pragma once

#include <gtest/gtest.h>

#include <string>

#include "runtime/files/FileStatements.h"
#include "runtime/system/Cp932.h"
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
