#include "ui/win32/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include "ui/win32/WindowsApi.h"

#include <string>

#include "platform/win/Utf16.h"

namespace kestrix {
namespace {

// An application name of this run's own, so that nothing a player stored is
// read or changed; its keys are deleted afterwards.
std::string testApplication() {
    return "KESTRIX test " + std::to_string(GetCurrentProcessId());
}

const std::wstring ClassicRoot = L"Software\\VB and VBA Program Settings";

// What the registry itself holds at HKCU\<root>\<application>\<section>,
// value <key>, read past the store; the type in type.
std::wstring rawValue(const std::wstring& path, const std::wstring& key, DWORD& type) {
    wchar_t buffer[512] = {};
    DWORD bytes = sizeof buffer;
    type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     buffer, &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER,
                       (ClassicRoot + L"\\" + Utf16::fromCodePage(m_application)).c_str());
    }

    std::wstring sectionPath(const std::string& section) const {
        return ClassicRoot + L"\\" + Utf16::fromCodePage(m_application) + L"\\" +
               Utf16::fromCodePage(section);
    }

    const std::string m_application = testApplication();
    RegistrySettingsStore m_store;
};

// What this program stores goes where the classic runtime kept it, as plain
// REG_SZ text in the code page's characters, and reads back as it was.
TEST_F(RegistrySettingsStoreTest, StoresTextWhereTheClassicRuntimeKeptIt) {
    const std::string folder =
        "Z:\\tmp\\\xDC"
        "bung";
    m_store.save(m_application, "UTPath", "Path", folder);
    DWORD type = REG_NONE;
    EXPECT_EQ(rawValue(sectionPath("UTPath"), L"Path", type), Utf16::fromCodePage(folder));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(m_store.get(m_application, "UTPath", "Path"), folder);
}

// A value written by another program, with or without its terminating zero,
// reads as the text it holds; one of another type, or none, as empty text.
TEST_F(RegistrySettingsStoreTest, ReadsValuesWrittenElsewhere) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath("UTPath").c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"E:\\Games\\UT";
    RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   sizeof text - sizeof(wchar_t));
    RegSetValueExW(key, L"Zero", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const DWORD number = 7;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);

    EXPECT_EQ(m_store.get(m_application, "UTPath", "Path"), "E:\\Games\\UT");
    EXPECT_EQ(m_store.get(m_application, "UTPath", "Zero"), "E:\\Games\\UT");
    EXPECT_EQ(m_store.get(m_application, "UTPath", "Number"), "");
    EXPECT_EQ(m_store.get(m_application, "UTPath", "Other"), "");
}

}  // namespace
}  // namespace kestrix
