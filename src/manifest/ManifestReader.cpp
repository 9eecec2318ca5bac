#include "manifest/ManifestReader.h"

#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"

namespace kestrix {

void ManifestReader::open(const std::filesystem::path& path) {
    m_file = HostFileOperations().readFile(path);
    openText(m_file);
}

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

bool isUtf16(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

}  // namespace

void ManifestReader::openText(std::string_view text) {
    if (isUtf16(text)) {
        throw PlatformError(
            ErrorNumber::PathFileAccessError,
            "The game's manifest is not in the game's format: it is saved as UTF-16 text, and "
            "the game writes and reads 8-bit text only. Nothing was changed. Save it again as "
            "ANSI text, or put back manifest.bak.");
    }
    openPart(text);
    if (text.starts_with(utf8ByteOrderMark)) {
        m_position = utf8ByteOrderMark.size();
    }
}

void ManifestReader::openPart(std::string_view lines) {
    m_text = lines;
    m_position = 0;
}

ManifestLine ManifestReader::next() {
    if (atEnd()) {
        throw PlatformError(ErrorNumber::InputPastEndOfFile);
    }
    const std::size_t begin = m_position;
    const std::size_t lineFeed = m_text.find('\n', begin);
    if (lineFeed == std::string_view::npos) {
        m_position = m_text.size();
        const std::string_view last = m_text.substr(begin);
        return ManifestLine{last, last};
    }
    std::size_t textEnd = lineFeed;
    if (textEnd > begin && m_text[textEnd - 1] == '\r') {
        --textEnd;
    }
    m_position = lineFeed + 1;
    return ManifestLine{m_text.substr(begin, textEnd - begin),
                        m_text.substr(begin, m_position - begin)};
}

bool ManifestReader::skipToLineWith(char c) {
    const std::size_t found = m_text.find(c, m_position);
    if (found == std::string_view::npos) {
        m_position = m_text.size();
        return false;
    }
    const std::size_t lineFeed = m_text.rfind('\n', found);
    if (lineFeed != std::string_view::npos && lineFeed >= m_position) {
        m_position = lineFeed + 1;
    }
    return true;
}

void ManifestReader::close() {
    m_file.clear();
    m_file.shrink_to_fit();
    m_text = {};
    m_position = 0;
}

}  // namespace kestrix
