#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The host's file names and the texts that the Qt side shows are UTF-8; the
// Windows texts are 8-bit code page text. These are the two steps between.
namespace kestrix::Utf8 {

// The character that starts at `at`, moving `at` past it; nothing, with `at`
// unmoved, when the bytes there are not a well-formed UTF-8 sequence (overlong
// forms, surrogates and values past U+10FFFF are not).
std::optional<char32_t> decodeNext(std::string_view text, std::size_t& at);

void append(std::string& text, char32_t c);

}  // namespace kestrix::Utf8
