#include "platform/win/Utf16.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <stdexcept>

namespace kestrix::Utf16 {

namespace {

int lengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long for Windows");
    }
    return static_cast<int>(size);
}

int systemConversion(unsigned codePage, unsigned long flags, const wchar_t* text, int size,
                     char* bytes, int capacity, const char* defaultChar, int* usedDefault) {
    return WideCharToMultiByte(codePage, flags, text, size, bytes, capacity, defaultChar,
                               usedDefault);
}

WideToBytes conversion = systemConversion;

// No best fit: Windows would otherwise write "A" for "Ā" without saying so.
// UTF-8, the ANSI code page where the user has chosen it, writes every
// character but refuses both that flag and the question whether a default
// character was used: with either, every conversion fails. A lone surrogate,
// the one thing it cannot write, is refused instead.
std::optional<std::string> encode(std::wstring_view text, unsigned codePage) {
    const int size = lengthOf(text.size());
    const bool utf8 = (codePage == CP_ACP ? GetACP() : codePage) == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* const lossyAnswer = utf8 ? nullptr : &lossy;
    const int needed =
        conversion(codePage, flags, text.data(), size, nullptr, 0, nullptr, lossyAnswer);
    if (needed <= 0 || lossy) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    conversion(codePage, flags, text.data(), size, narrow.data(), needed, nullptr, lossyAnswer);
    return narrow;
}

}  // namespace

WideToBytes useConversion(WideToBytes replacement) {
    const WideToBytes replaced = conversion;
    conversion = replacement;
    return replaced;
}

std::wstring fromCodePage(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = lengthOf(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), needed);
    }
    return wide;
}

std::optional<std::string> toCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty()) {
        return std::string();
    }
    return encode(text, codePage);
}

std::string describe(std::wstring_view text) {
    std::string described;
    for (std::size_t at = 0; at < text.size();) {
        // A character beyond the first plane takes two UTF-16 units.
        const bool pair =
            at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1]);
        const std::wstring_view character = text.substr(at, pair ? 2 : 1);
        if (const std::optional<std::string> bytes = encode(character, CP_ACP)) {
            described += *bytes;
        } else {
            const unsigned number =
                pair ? 0x10000 + ((character[0] - 0xD800U) << 10) + (character[1] - 0xDC00U)
                     : character[0];
            char spelled[16];
            std::snprintf(spelled, sizeof spelled, "<U+%04X>", number);
            described += spelled;
        }
        at += character.size();
    }
    return described;
}

}  // namespace kestrix::Utf16
