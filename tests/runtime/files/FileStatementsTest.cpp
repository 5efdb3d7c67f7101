#include "runtime/files/FileStatements.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/files/OpenFiles.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"
#include "support/ErrorOf.h"
#include "support/LongPaths.h"
#include "support/TempFolder.h"

using rt::kFalse;
using rt::kTrue;
using test::ErrorOf;

namespace {

// Puts the process's current folder back after a test that changes it.
class CurrentFolderRestorer {
public:
    CurrentFolderRestorer() : saved_(rt::CurrentFolder("")) {}
    ~CurrentFolderRestorer() { rt::ChangeFolder(saved_); }

private:
    std::string saved_;
};

bool DriveRExists() { return GetDriveTypeW(L"R:\\") != DRIVE_NO_ROOT_DIR; }

}  // namespace

TEST(FileStatementsTest, ExistenceTestsTellFilesFromFolders) {
    test::TempFolder temp;
    test::MakeFolders(temp / "DATA");
    test::WriteBytes(temp / "list.txt", "x");

    EXPECT_EQ(rt::FolderExists(temp / "DATA"), kTrue);
    EXPECT_EQ(rt::FileExists(temp / "DATA"), kFalse);
    EXPECT_EQ(rt::FileExists(temp / "list.txt"), kTrue);
    EXPECT_EQ(rt::FolderExists(temp / "list.txt"), kFalse);
    EXPECT_EQ(rt::FolderExists(temp / "none"), kFalse);
    EXPECT_EQ(rt::FileExists(temp / "none"), kFalse);
    EXPECT_EQ(rt::FolderExists(""), kFalse);
    EXPECT_EQ(rt::FileExists(""), kFalse);
}

TEST(FileStatementsTest, FolderWrittenWithTrailingBackslashIsNotFound) {
    test::TempFolder temp;
    test::MakeFolders(temp / "DATA");
    EXPECT_EQ(rt::FolderExists(temp / "DATA\\"), kFalse);
}

TEST(FileStatementsTest, DriveRootIsNotFoundAsAFolder) {
    if (!DriveRExists()) GTEST_SKIP() << "no drive R:";
    test::MakeFolders("R:\\DATA");
    EXPECT_EQ(rt::FolderExists("R:\\"), kFalse);
    EXPECT_EQ(rt::FolderExists("R:\\DATA"), kTrue);
    test::RemoveTree("R:\\DATA");
}

TEST(FileStatementsTest, ADroppedFolderIsFoundDriveRootsAndLongPathsIncluded) {
    test::TempFolder temp;
    const std::string deep = test::PathOfUnits(temp.Path(), 400);
    test::MakeFolders(deep);
    test::WriteBytes(temp / "list.txt", "x");
    EXPECT_EQ(rt::FolderOrDriveExists(temp.Path()), kTrue);
    EXPECT_EQ(rt::FolderOrDriveExists(deep), kTrue);
    EXPECT_EQ(rt::FolderOrDriveExists(temp / "list.txt"), kFalse);
    EXPECT_EQ(rt::FolderOrDriveExists(temp / "none"), kFalse);
    EXPECT_EQ(rt::FolderOrDriveExists(""), kFalse);
    if (DriveRExists()) {
        EXPECT_EQ(rt::FolderOrDriveExists("R:\\"), kTrue);
    }
}

TEST(FileStatementsTest, WildcardsInExistenceTestsRaise55) {
    test::TempFolder temp;
    EXPECT_EQ(ErrorOf([&] { rt::FolderExists(temp / "*"); }), 55);
    EXPECT_EQ(ErrorOf([&] { rt::FileExists(temp / "a?c"); }), 55);
}

// Past what Windows holds (32767 units in the long form, 255 in a name) the
// system is not asked. At the limit it is: below a missing folder it finds
// nothing (63), unless the host refuses the path first, as Wine's does past
// 4096 bytes of UTF-8 (a system error without a number of its own: 27).
TEST(FileStatementsTest, PathsLongerThanWindowsHoldsAreRefusedBeforeTheSystemIsAsked) {
    test::TempFolder temp;
    struct Row {
        std::string longest;
        std::string tooLong;
        int systemError;
    };
    const Row rows[] = {
        {test::PathOfUnits(temp / "missing", 32767), test::PathOfUnits(temp / "missing", 32768), 27},
        {temp / "missing\\" + std::string(255, 'n'), temp / "missing\\" + std::string(256, 'n'), 63},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tooLong.size());
        EXPECT_EQ(ErrorOf([&] { rt::MakeFolderIfMissing(row.tooLong); }), 5);
        EXPECT_EQ(ErrorOf([&] { rt::MakeFolderIfMissing(row.longest); }), row.systemError);
        EXPECT_EQ(ErrorOf([&] { rt::RemoveFolderIfThere(row.tooLong); }), 5);
        EXPECT_EQ(rt::RemoveFolderIfThere(row.longest), kFalse);
        EXPECT_EQ(ErrorOf([&] { rt::ChangeFolder(row.tooLong); }), 5);
        EXPECT_EQ(ErrorOf([&] { rt::ChangeFolder(row.longest); }), row.systemError);
        EXPECT_EQ(ErrorOf([&] { rt::EraseFile(row.tooLong); }), 55);
        EXPECT_EQ(ErrorOf([&] { rt::EraseFile(row.longest); }), 63);
    }
}

TEST(FileStatementsTest, MakingAFolderCreatesOneLevelAndTellsAnExistingFolderFromAFailure) {
    test::TempFolder temp;
    EXPECT_EQ(rt::MakeFolderIfMissing(temp / "A"), kTrue);
    EXPECT_EQ(rt::FolderExists(temp / "A"), kTrue);
    EXPECT_EQ(rt::MakeFolderIfMissing(temp / "A"), kFalse);
    EXPECT_EQ(rt::MakeFolderIfMissing(temp / "a"), kFalse);
    EXPECT_EQ(ErrorOf([&] { rt::MakeFolderIfMissing(temp / "B\\C"); }), 63);
    EXPECT_FALSE(test::Exists(temp / "B"));
    test::WriteBytes(temp / "file", "x");
    EXPECT_EQ(ErrorOf([&] { rt::MakeFolderIfMissing(temp / "file"); }), 64);
    EXPECT_EQ(test::ReadBytes(temp / "file"), "x");
    EXPECT_EQ(ErrorOf([&] { rt::MakeFolderIfMissing(temp / "*"); }), 55);
}

TEST(FileStatementsTest, RemovingAFolderRemovesOnlyAnEmptyFolderAndPassesOverWhatIsNoFolder) {
    test::TempFolder temp;
    test::MakeFolders(temp / "full");
    test::WriteBytes(temp / "full\\file.txt", "x");
    test::MakeFolders(temp / "empty");
    test::WriteBytes(temp / "file", "x");

    EXPECT_EQ(ErrorOf([&] { rt::RemoveFolderIfThere(temp / "full"); }), 27);
    EXPECT_TRUE(test::Exists(temp / "full\\file.txt"));
    EXPECT_EQ(rt::RemoveFolderIfThere(temp / "missing"), kFalse);
    EXPECT_EQ(rt::RemoveFolderIfThere(temp / "missing\\below"), kFalse);
    EXPECT_EQ(rt::RemoveFolderIfThere(temp / "file"), kFalse);
    EXPECT_EQ(test::ReadBytes(temp / "file"), "x");
    EXPECT_EQ(rt::RemoveFolderIfThere(temp / "empty"), kTrue);
    EXPECT_FALSE(test::Exists(temp / "empty"));
    EXPECT_EQ(ErrorOf([&] { rt::RemoveFolderIfThere(temp / "*"); }), 55);
}

TEST(FileStatementsTest, ChangeFolderDecidesWhereRelativePathsGo) {
    CurrentFolderRestorer restorer;
    test::TempFolder temp;
    test::MakeFolders(temp / "base");

    rt::ChangeFolder(temp / "base");
    EXPECT_EQ(rt::CurrentFolder(""), temp / "base");
    EXPECT_EQ(rt::MakeFolderIfMissing("child"), kTrue);
    EXPECT_TRUE(test::Exists(temp / "base\\child"));
    EXPECT_EQ(rt::FolderExists("child"), kTrue);
}

TEST(FileStatementsTest, CurrentFolderOfADriveRootEndsInABackslash) {
    if (!DriveRExists()) GTEST_SKIP() << "no drive R:";
    CurrentFolderRestorer restorer;
    rt::ChangeFolder("R:\\");
    EXPECT_EQ(rt::CurrentFolder(""), "R:\\");
    EXPECT_EQ(rt::CurrentFolder("r:"), "R:\\");
    EXPECT_EQ(rt::CurrentFolder("R:"), "R:\\");
}

TEST(FileStatementsTest, CurrentFolderOfAnotherDriveLeavesTheCurrentFolderAlone) {
    CurrentFolderRestorer restorer;
    test::TempFolder temp;
    rt::ChangeFolder(temp.Path());
    EXPECT_EQ(rt::CurrentFolder("z:").substr(0, 3), "Z:\\");
    EXPECT_EQ(rt::CurrentFolder(""), temp.Path());
}

TEST(FileStatementsTest, CurrentFolderTakesOnlyEmptyOrADriveLetterAndColon) {
    for (const char* drive : {"1:", "C", "C:\\", "abc", "::", "CC"}) {
        EXPECT_EQ(ErrorOf([&] { rt::CurrentFolder(drive); }), 5) << drive;
    }
}

TEST(FileStatementsTest, EraseFileDeletesOnlyAFileThatIsNotOpen) {
    test::TempFolder temp;
    const std::string path = temp / "log.txt";

    EXPECT_EQ(ErrorOf([&] { rt::EraseFile(path); }), 63);
    rt::OpenForOutput(path, 7);
    EXPECT_EQ(ErrorOf([&] { rt::EraseFile(path); }), 52);
    EXPECT_EQ(ErrorOf([&] { rt::EraseFile(temp / "LOG.TXT"); }), 52);
    rt::CloseFiles({7});
    rt::EraseFile(path);
    EXPECT_FALSE(test::Exists(path));
}

TEST(FileStatementsTest, EraseFileRefusesDevicesAndFolders) {
    test::TempFolder temp;
    test::MakeFolders(temp / "folder");
    EXPECT_EQ(ErrorOf([] { rt::EraseFile("scrn:"); }), 55);
    EXPECT_EQ(ErrorOf([] { rt::EraseFile("KYBD:"); }), 55);
    EXPECT_EQ(ErrorOf([&] { rt::EraseFile(temp / "folder"); }), 63);
}

TEST(FileStatementsTest, NamesWhoseSecondByteIsABackslashWorkEverywhere) {
    CurrentFolderRestorer restorer;
    test::TempFolder temp;
    const std::string folder = temp / "ソ表";
    ASSERT_EQ(folder.substr(folder.size() - 4), "\x83\x5C\x95\x5C");

    EXPECT_EQ(rt::MakeFolderIfMissing(folder), kTrue);
    EXPECT_EQ(rt::FolderExists(folder), kTrue);
    EXPECT_NE(GetFileAttributesW((rt::ToWide(temp.Path()) + L"\\\u30BD\u8868").c_str()),
              INVALID_FILE_ATTRIBUTES);

    rt::ChangeFolder(folder);
    EXPECT_EQ(rt::CurrentFolder(""), folder);
    rt::OpenForOutput("表.txt", 1);
    rt::WriteLine(1, "ソ");
    rt::CloseFiles({1});
    EXPECT_EQ(rt::FileExists(folder + "\\表.txt"), kTrue);
    EXPECT_EQ(test::ReadBytes(folder + "\\表.txt"), "\x83\x5C\r\n\x1A");
    rt::EraseFile("表.txt");
    rt::ChangeFolder(temp.Path());
    EXPECT_EQ(rt::RemoveFolderIfThere(folder), kTrue);
    EXPECT_EQ(rt::FolderExists(folder), kFalse);
}

// Windows itself refuses to make a folder through a path of 248 characters or
// more unless it comes in the long form; Wine takes both, so the path handed
// to the system is checked here.
TEST(FileStatementsTest, FolderPathsOf248CharactersOrMoreGoToTheSystemInTheirLongForm) {
    const std::string below = "C:\\" + std::string(244, 'a');
    EXPECT_EQ(rt::SystemFolderPath(below), rt::ToWide(below));
    const std::string at = "C:\\" + std::string(245, 'a');
    EXPECT_EQ(rt::SystemFolderPath(at), L"\\\\?\\" + rt::ToWide(at));
    // Counted in characters: 251 bytes, but 127 characters.
    std::string japanese = "C:\\";
    for (int i = 0; i < 124; ++i) japanese += "ソ";
    EXPECT_EQ(rt::SystemFolderPath(japanese), rt::ToWide(japanese));
    EXPECT_EQ(rt::SystemFolderPath("\\\\server\\share\\" + std::string(240, 'b')),
              L"\\\\?\\UNC\\server\\share\\" + std::wstring(240, L'b'));
    // The long form is taken as it stands, so "." and ".." are resolved first.
    EXPECT_EQ(rt::SystemFolderPath("C:\\x\\..\\.\\" + std::string(245, 'c')),
              L"\\\\?\\C:\\" + std::wstring(245, L'c'));
}

// Every statement takes a path past 260 bytes: at 260 bytes, and 14 levels of
// a 36-character Japanese name (518 characters, over 1000 bytes).
TEST(FileStatementsTest, FoldersAndFilesPast260BytesAreMadeFoundWrittenErasedAndRemoved) {
    const test::TempFolder folder;
    std::string at260 = folder.Path() + "\\";
    at260.append(260 - at260.size(), 'L');
    const std::string japanese = "令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";
    std::vector<std::string> deep{folder / japanese};
    while (deep.size() < 14) deep.push_back(deep.back() + "\\" + japanese);
    for (const std::string& path : std::vector<std::string>{at260, deep.back()}) {
        SCOPED_TRACE(path.size());
        for (const std::string& level : path == at260 ? std::vector<std::string>{at260} : deep) {
            EXPECT_EQ(rt::MakeFolderIfMissing(level), kTrue);
        }
        EXPECT_EQ(rt::FolderExists(path), kTrue);
        EXPECT_EQ(rt::FileExists(path), kFalse);
        EXPECT_EQ(rt::MakeFolderIfMissing(path), kFalse);
        const std::string file = path + "\\" + japanese + ".TXT";
        rt::OpenForOutput(file, 3);
        rt::WriteLine(3, "x");
        rt::CloseFiles({3});
        EXPECT_EQ(test::ReadBytes(file), "x\r\n\x1A");
        EXPECT_EQ(rt::FileExists(file), kTrue);
        rt::EraseFile(file);
        EXPECT_EQ(rt::FileExists(file), kFalse);
        EXPECT_EQ(rt::RemoveFolderIfThere(path), kTrue);
        EXPECT_EQ(rt::FolderExists(path), kFalse);
    }
}
