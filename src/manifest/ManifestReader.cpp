#include "manifest/ManifestReader.h"

#include "manifest/ManifestText.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"

namespace kestrix {

void ManifestReader::open(const std::filesystem::path& path) {
    m_file = HostFileOperations().readFile(path);
    openText(m_file);
}

namespace {

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
    m_text = text;
    m_position = text.starts_with(ManifestText::utf8ByteOrderMark)
                     ? ManifestText::utf8ByteOrderMark.size()
                     : 0;
    m_lineEnd = text.find('\n') == std::string_view::npos ? '\r' : '\n';
}

ManifestLine ManifestReader::next() {
    if (atEnd()) {
        throw PlatformError(ErrorNumber::InputPastEndOfFile);
    }
    const std::size_t begin = m_position;
    const std::size_t lineEnd = m_text.find(m_lineEnd, begin);
    if (lineEnd == std::string_view::npos) {
        m_position = m_text.size();
        const std::string_view last = m_text.substr(begin);
        return ManifestLine{last, last};
    }
    std::size_t textEnd = lineEnd;
    if (m_lineEnd == '\n' && textEnd > begin && m_text[textEnd - 1] == '\r') {
        --textEnd;
    }
    m_position = lineEnd + 1;
    return ManifestLine{m_text.substr(begin, textEnd - begin),
                        m_text.substr(begin, m_position - begin)};
}

void ManifestReader::close() {
    m_file.clear();
    m_file.shrink_to_fit();
    m_text = {};
    m_position = 0;
}

}  // namespace kestrix
