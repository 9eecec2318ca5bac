#include "platform/win/Utf16.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace kestrix::Utf16 {

namespace {

int lengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long for Windows");
    }
    return static_cast<int>(size);
}

// Zero when the bytes are not valid in the code page and the flags ask to be
// told so.
std::wstring decode(UINT codePage, DWORD flags, std::string_view text) {
    const int size = lengthOf(text.size());
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), needed);
    }
    return wide;
}

}  // namespace

std::wstring fromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    std::wstring wide = decode(CP_UTF8, MB_ERR_INVALID_CHARS, text);
    return wide.empty() ? decode(CP_ACP, 0, text) : wide;
}

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = lengthOf(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

}  // namespace kestrix::Utf16
