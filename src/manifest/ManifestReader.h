#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrix {

// One line of the manifest. Both views point into the reader's text and stay
// valid until the reader is closed or opened again.
struct ManifestLine {
    std::string_view text;  // without its line end
    std::string_view raw;   // exactly as in the file, with its own CR LF, LF or nothing
};

// Reads the game's manifest line by line. Whole lines, not comma-separated
// items: a line is copied or dropped as a unit, so a value holding commas or
// double quotes comes through unchanged. A line ends at LF; a CR right before
// it belongs to the line end, any other CR to the text. A file without any LF
// has its lines end at CR, as old Mac editors leave them. A file that ends
// with a line end has no empty line after it.
class ManifestReader {
public:
    // Reads a whole manifest already in memory, as the line rules read it
    // (ManifestEncoding), which must outlive the reader's lines. A UTF-8
    // byte-order mark is no part of the first line, so that it stays at the
    // start of the file when that line goes.
    void openText(std::string_view text);

    bool atEnd() const { return m_position == m_text.size(); }

    // Raises InputPastEndOfFile when at the end.
    ManifestLine next();

    void close();

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    char m_lineEnd = '\n';
};

}  // namespace kestrix
