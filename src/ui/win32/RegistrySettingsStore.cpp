#include "ui/win32/RegistrySettingsStore.h"

#include <utility>

#include "platform/PlatformError.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinError.h"
#include "ui/win32/Win32Handles.h"

namespace kestrix {

RegistrySettingsStore::RegistrySettingsStore(std::wstring root) : m_root(std::move(root)) {}

std::wstring RegistrySettingsStore::sectionPath(const std::string& application,
                                                const std::string& section) const {
    return m_root + L"\\" + Utf16::fromCodePage(application) + L"\\" + Utf16::fromCodePage(section);
}

std::string RegistrySettingsStore::get(const std::string& application, const std::string& section,
                                       const std::string& key) const {
    HKEY opened = nullptr;
    // A section or value never stored, or one that cannot be read, reads as
    // empty text, as the classic runtime's GetSetting without a default did.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0,
                      KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {};
    }
    const RegistryKey sectionKey(opened);
    const std::wstring name = Utf16::fromCodePage(key);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(sectionKey.get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(sectionKey.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS) {
        return {};
    }
    // The stored text may or may not end in its terminating zero.
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    // A value written by this program always converts back; one edited by
    // hand to hold what the code page cannot write names no Windows path.
    return Utf16::toCodePage(value).value_or("");
}

void RegistrySettingsStore::save(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& value) {
    HKEY created = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        throw PlatformError(WinError::errorNumber(status), WinError::systemDescription(status, ""));
    }
    const RegistryKey sectionKey(created);
    const std::wstring text = Utf16::fromCodePage(value);
    status = RegSetValueExW(sectionKey.get(), Utf16::fromCodePage(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        throw PlatformError(WinError::errorNumber(status), WinError::systemDescription(status, ""));
    }
}

}  // namespace kestrix
