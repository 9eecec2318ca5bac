#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// The 8-bit Windows code page in which the game and its tools write their
// texts: the manifest, the paths the program stores and the setup tool's
// command line are bytes in it. The program keeps those texts as bytes and
// converts only where they meet the host's file names or the windows.
//
// Windows-1250, 1251 and 1252 are carried, with each byte that Windows leaves
// undefined decoding to the control character of the same number, as
// Windows' own conversion does; every byte therefore decodes, and encodes
// back to itself.
class CodePage {
public:
    // The code page of this system, chosen once: the ANSI code page on
    // Windows, the one Wine gives the user's locale elsewhere (forLocale).
    static const CodePage& system();

    static const CodePage& windows1250();
    static const CodePage& windows1251();
    static const CodePage& windows1252();

    // The code page Wine uses for a Unix locale name ("de_DE.UTF-8",
    // "sr_RS@latin"), by its language: Central European languages 1250,
    // Cyrillic ones 1251, and 1252 for Western European ones, for "C" and
    // "POSIX", and for every language whose own code page is not carried
    // (multibyte Japanese, Chinese and Korean among them).
    static const CodePage& forLocale(std::string_view locale);

    // The code page of a Windows number (GetACP), Windows-1252 for one that
    // is not carried.
    static const CodePage& forNumber(unsigned number);

    unsigned number() const { return m_number; }
    // "Windows-1252", for messages.
    std::string name() const;

    char32_t decode(char c) const { return m_unicode[static_cast<unsigned char>(c)]; }
    // Nothing when the code page has no byte for the character.
    std::optional<char> encode(char32_t c) const;

    // For the windows, whose toolkit reads UTF-8. Every text converts.
    std::string toUtf8(std::string_view text) const;
    // Nothing when the text is not UTF-8 or holds a character the code page
    // cannot write: such a text would name something else once converted.
    std::optional<std::string> fromUtf8(std::string_view utf8) const;
    // UTF-8 text for a message in the code page, which must not fail: each
    // character the code page lacks written as its number ("<U+0416>"), each
    // byte that is not UTF-8 as "<E9>".
    std::string describe(std::string_view utf8) const;

    // Letter case folded as Windows folds it in file names, across the whole
    // code page (É and é, Ö and ö, Ж and ж), to lower case. A letter whose
    // other case the code page lacks stays as it is.
    char foldCase(char c) const {
        return static_cast<char>(m_lower[static_cast<unsigned char>(c)]);
    }
    std::string foldCase(std::string_view text) const;
    bool equalsIgnoringCase(std::string_view a, std::string_view b) const;

private:
    CodePage(unsigned number, const std::array<char16_t, 128>& upperHalf);

    unsigned m_number;
    std::array<char32_t, 256> m_unicode{};
    std::array<unsigned char, 256> m_lower{};
};

}  // namespace kestrix
