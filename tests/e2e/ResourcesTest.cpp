#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/ChildProgram.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

// SORATN2.exe loaded for its resources only.
class ProgramResources {
public:
    ProgramResources()
        : module_(LoadLibraryExW(test::ProgramBesideThisTest().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ProgramResources() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;

    std::string Bytes(const wchar_t* type, int id) const {
        const HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        const void* data = LockResource(LoadResource(module_, found));
        return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

std::wstring VersionText(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST(ResourcesTest, TheVersionNamesTheProductInJapaneseAsVersion2) {
    const std::wstring program = test::ProgramBesideThisTest();
    std::vector<char> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    EXPECT_EQ(VersionText(info, L"ProductName"), L"SORATN2");
    EXPECT_EQ(VersionText(info, L"FileDescription"), L"フォルダー構造コピー");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 0);
    const int build = HIWORD(fixed->dwFileVersionLS);
    EXPECT_GT(build, 0);
    EXPECT_EQ(VersionText(info, L"FileVersion"), L"2.0." + std::to_wstring(build) + L".0");
    EXPECT_EQ(VersionText(info, L"LegalCopyright"), L"Copyright (C) the SORATN2 authors. MIT License.");
}

// What a reviewer reads off the image: Windows 7 (6.1) as the oldest system,
// as in the manifest; no time of the build, so one commit links the same
// bytes; and an image that loads anywhere in 64 bits with no code in data.
TEST(ResourcesTest, TheImageNamesWindows7CarriesNoBuildTimeAndKeepsItsProtections) {
    const std::string image = test::ReadBytes(rt::ToCp932Shown(test::ProgramBesideThisTest()));
    ASSERT_GT(image.size(), 1024u);
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, image.data(), sizeof dos);
    IMAGE_NT_HEADERS64 nt;
    ASSERT_LE(static_cast<std::size_t>(dos.e_lfanew) + sizeof nt, image.size());
    std::memcpy(&nt, image.data() + dos.e_lfanew, sizeof nt);
    EXPECT_EQ(nt.FileHeader.TimeDateStamp, 0u);
    EXPECT_EQ(nt.OptionalHeader.MajorSubsystemVersion, 6);
    EXPECT_EQ(nt.OptionalHeader.MinorSubsystemVersion, 1);
    EXPECT_EQ(nt.OptionalHeader.MajorOperatingSystemVersion, 6);
    EXPECT_EQ(nt.OptionalHeader.MinorOperatingSystemVersion, 1);
    const WORD kProtections = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
                              IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & kProtections, kProtections);
}

TEST(ResourcesTest, TheManifestAsksForNoElevationNamesWindows7To11ScalesPerMonitorAndTakesLongPaths) {
    const std::string manifest = ProgramResources().Bytes(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
    }
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
                            "</longPathAware>"),
              std::string::npos);
}

TEST(ResourcesTest, TheIconComesIn16And32And48And256Pixels) {
    const std::string group = ProgramResources().Bytes(RT_GROUP_ICON, 1);
    ASSERT_GE(group.size(), 6u);
    const int count = static_cast<unsigned char>(group[4]);
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<unsigned char>(group[6 + 14 * i]);
        sizes.push_back(width == 0 ? 256 : width);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

// The title bar shows the small icon at its left: the folders' yellow is
// there, which the system's default icon does not have.
TEST(ResourcesTest, TheWindowShowsTheProgramsIcon) {
    test::TempFolder start;
    UserAtTheWindow user(rt::ToWide(start.Path()));
    user.WaitUntilIdle();
    Sleep(500);
    RECT window{};
    GetWindowRect(user.Window(), &window);
    const int titleHeight = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const RECT corner{window.left, window.top, window.left + titleHeight + 8, window.top + titleHeight + 8};
    const std::vector<char> pixels = UserAtTheWindow::OnScreen(corner);
    int yellow = 0;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        const int blue = static_cast<unsigned char>(pixels[i]);
        const int green = static_cast<unsigned char>(pixels[i + 1]);
        const int red = static_cast<unsigned char>(pixels[i + 2]);
        if (red > 200 && green > 150 && green < 220 && blue < 120) ++yellow;
    }
    EXPECT_GE(yellow, 8);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}
