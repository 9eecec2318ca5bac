#include "platform/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Utf8.h"

namespace kestrix {

namespace {

// Bytes 0x80 to 0xFF of each code page; below 0x80 all three are ASCII.
constexpr std::array<char16_t, 128> upperHalf1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr std::array<char16_t, 128> upperHalf1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<char16_t, 128> upperHalf1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

// The lower case of the capital letters that these code pages hold, by the
// layout of the Unicode blocks they come from: Latin-1, Latin Extended-A
// (capitals and small letters taking turns, from a capital on) and basic Cyrillic.
char32_t lowerCaseOf(char32_t c) {
    const auto capitalEveryOther = [c](char32_t first, char32_t last) {
        return c >= first && c <= last && (c - first) % 2 == 0;
    };
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    // U+0130, capital I with a dot, lowers to a plain "i" and is left out.
    if (capitalEveryOther(0x100, 0x12F) || capitalEveryOther(0x132, 0x137) ||
        capitalEveryOther(0x139, 0x148) || capitalEveryOther(0x14A, 0x177) ||
        capitalEveryOther(0x179, 0x17E) || c == 0x490) {
        return c + 1;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

// The language of a locale name: what comes before "_", "." or "@", in
// lower case.
std::string languageOf(std::string_view locale) {
    std::string language(locale.substr(0, locale.find_first_of("_.@")));
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return language;
}

bool isOneOf(const std::string& language, std::initializer_list<std::string_view> languages) {
    return std::find(languages.begin(), languages.end(), language) != languages.end();
}

}  // namespace

CodePage::CodePage(unsigned number, const std::array<char16_t, 128>& upperHalf) : m_number(number) {
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        m_unicode[byte] = byte;
    }
    std::copy(upperHalf.begin(), upperHalf.end(), m_unicode.begin() + 0x80);
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::optional<char> lower = encode(lowerCaseOf(m_unicode[byte]));
        m_lower[byte] = static_cast<unsigned char>(lower ? *lower : static_cast<char>(byte));
    }
}

const CodePage& CodePage::windows1250() {
    static const CodePage codePage(1250, upperHalf1250);
    return codePage;
}

const CodePage& CodePage::windows1251() {
    static const CodePage codePage(1251, upperHalf1251);
    return codePage;
}

const CodePage& CodePage::windows1252() {
    static const CodePage codePage(1252, upperHalf1252);
    return codePage;
}

const CodePage& CodePage::forLocale(std::string_view locale) {
    const std::string language = languageOf(locale);
    // Serbian is written in Cyrillic unless the locale says Latin, as glibc
    // names its locales.
    if (language == "sr") {
        return locale.find("@latin") != std::string_view::npos ? windows1250() : windows1251();
    }
    if (isOneOf(language, {"cs", "pl", "hu", "sk", "sl", "hr", "ro", "sq", "bs"})) {
        return windows1250();
    }
    if (isOneOf(language,
                {"ru", "uk", "be", "bg", "mk", "kk", "ky", "tt", "mn", "tg", "ba", "sah"})) {
        return windows1251();
    }
    return windows1252();
}

const CodePage& CodePage::forNumber(unsigned number) {
    switch (number) {
        case 1250:
            return windows1250();
        case 1251:
            return windows1251();
        default:
            return windows1252();
    }
}

std::string CodePage::name() const {
    return "Windows-" + std::to_string(m_number);
}

std::optional<char> CodePage::encode(char32_t c) const {
    if (c < 0x80) {
        return static_cast<char>(c);
    }
    const auto found = std::find(m_unicode.begin() + 0x80, m_unicode.end(), c);
    if (found == m_unicode.end()) {
        return std::nullopt;
    }
    return static_cast<char>(found - m_unicode.begin());
}

std::string CodePage::toUtf8(std::string_view text) const {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        Utf8::append(utf8, decode(c));
    }
    return utf8;
}

std::optional<std::string> CodePage::fromUtf8(std::string_view utf8) const {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> c = Utf8::decodeNext(utf8, at);
        const std::optional<char> byte = c ? encode(*c) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        text.push_back(*byte);
    }
    return text;
}

std::string CodePage::describe(std::string_view utf8) const {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> c = Utf8::decodeNext(utf8, at);
        const std::optional<char> byte = c ? encode(*c) : std::nullopt;
        char spelled[16];
        if (byte) {
            text.push_back(*byte);
            continue;
        }
        if (c) {
            std::snprintf(spelled, sizeof spelled, "<U+%04X>", static_cast<unsigned>(*c));
        } else {
            std::snprintf(spelled, sizeof spelled, "<%02X>",
                          static_cast<unsigned>(static_cast<unsigned char>(utf8[start])));
            at = start + 1;
        }
        text += spelled;
    }
    return text;
}

std::string CodePage::foldCase(std::string_view text) const {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [this](char c) { return foldCase(c); });
    return folded;
}

bool CodePage::equalsIgnoringCase(std::string_view a, std::string_view b) const {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [this](char x, char y) { return foldCase(x) == foldCase(y); });
}

}  // namespace kestrix
