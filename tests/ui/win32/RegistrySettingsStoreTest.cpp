#include "ui/win32/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include "ui/win32/WindowsApi.h"

#include <string>

#include "platform/win/Utf16.h"

namespace kestrix {
namespace {

// A value written by another program, with or without its terminating zero,
// reads as the text it holds; one of another type, or none, as empty text;
// what the store saves, in the code page's characters, reads back as it was.
// (Where the classic runtime kept the values, as REG_SZ, the end-to-end runs
// check through reg.exe.)
TEST(RegistrySettingsStoreTest, ReadsTextWrittenElsewhereAndItsOwn) {
    // An application name of this run's own, so that nothing a player stored
    // is read or changed.
    const std::string application = "KESTRIX test " + std::to_string(GetCurrentProcessId());
    const std::wstring root =
        L"Software\\VB and VBA Program Settings\\" + Utf16::fromCodePage(application);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\UTPath").c_str(), 0, nullptr, 0,
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

    RegistrySettingsStore store;
    EXPECT_EQ(store.get(application, "UTPath", "Path"), "E:\\Games\\UT");
    EXPECT_EQ(store.get(application, "UTPath", "Zero"), "E:\\Games\\UT");
    EXPECT_EQ(store.get(application, "UTPath", "Number"), "");
    EXPECT_EQ(store.get(application, "UTPath", "Other"), "");
    const std::string folder = "D:\\Mods with blanks\\\xDC";
    store.save(application, "UMODPath", "Path", folder);
    EXPECT_EQ(store.get(application, "UMODPath", "Path"), folder);
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

}  // namespace
}  // namespace kestrix
