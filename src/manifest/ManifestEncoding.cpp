#include "manifest/ManifestEncoding.h"

#include "platform/CodePage.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/Utf8.h"

namespace kestrix {

namespace {

constexpr std::string_view utf16ByteOrderMark = "\xFF\xFE";

// Valid UTF-8 that pure ASCII would not explain: a code page text of ASCII
// alone reads the same either way, while one accented letter of Windows-1252
// is almost never followed by the continuation bytes UTF-8 requires.
bool isUtf8WithMultiByte(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        if (!Utf8::decodeNext(bytes, at)) {
            return false;
        }
        multiByte = true;
    }
    return multiByte;
}

void appendUnit(std::string& bytes, char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

ManifestEncoding ManifestEncoding::of(std::string_view bytes, const CodePage& codePage) {
    if (bytes.starts_with(utf16ByteOrderMark)) {
        return ManifestEncoding(Form::Utf16Le, codePage);
    }
    return ManifestEncoding(isUtf8WithMultiByte(bytes) ? Form::Utf8 : Form::CodePage, codePage);
}

std::string ManifestEncoding::textOf(std::string_view bytes) const {
    if (bytes.size() % 2 != 0) {
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            "The game's manifest is UTF-16 text that ends in the middle of a "
                            "character: it may have been cut short. Nothing was changed. Put "
                            "back manifest.bak, or save the manifest again.");
    }
    std::string text;
    text.reserve(bytes.size());
    const auto unitAt = [bytes](std::size_t at) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                     static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        char32_t c = unitAt(at);
        if (isHighSurrogate(c) && at + 2 < bytes.size() && isLowSurrogate(unitAt(at + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        }
        Utf8::append(text, c);
    }
    return text;
}

std::string ManifestEncoding::bytesOf(std::string_view text) const {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        // textOf wrote the text, unpaired surrogates included, which the
        // strict decoder refuses: read the lead byte's length as it stands.
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length && at + i < text.size(); ++i) {
            c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        }
        at += length;
        if (c >= 0x10000) {
            appendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10));
            appendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            appendUnit(bytes, c);
        }
    }
    return bytes;
}

std::optional<std::string> ManifestEncoding::toCodePage(std::string_view text) const {
    if (m_form == Form::CodePage) {
        return std::string(text);
    }
    return m_codePage->fromUtf8(text);
}

std::string ManifestEncoding::forWindow(std::string_view text) const {
    if (m_form == Form::CodePage) {
        return std::string(text);
    }
    return m_codePage->describe(text);
}

bool ManifestEncoding::showsAs(std::string_view text, std::string_view windowText) const {
    return m_form == Form::CodePage ? text == windowText : forWindow(text) == windowText;
}

}  // namespace kestrix
