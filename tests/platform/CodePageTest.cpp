// The rows of tests/data/code-pages.tsv: the code pages, their case folding
// and UTF-8, as the C library and Windows have them, and on Linux the names
// of files on disk in them.
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Rows.h"
#include "platform/Utf8.h"

#ifndef _WIN32
#include "platform/posix/UnixFileName.h"
#endif

namespace kestrix {
namespace {

struct CodePageRows {
    std::string answer(const std::vector<std::string>& row) const {
        if (row[0] == "locale") {
            return std::to_string(CodePage::forLocale(row[1]).number());
        }
        if (row[0] == "utf8") {
            std::size_t at = 0;
            const std::optional<char32_t> decoded = Utf8::decodeNext(row[1], at);
            std::string encoded;
            Utf8::append(encoded, decoded.value_or(0));
            // Read whole and written back the same, or not read at all.
            const bool whole = decoded ? at == row[1].size() && encoded == row[1] : at == 0;
            return (decoded ? digitsOf(*decoded, 16) : "-") + (whole ? "" : " misread");
        }
        const CodePage& codePage = CodePage::forNumber(static_cast<unsigned>(std::stoul(row[1])));
        const std::string& text = row[2];
        if (row[0] == "fold") {
            const bool equal = codePage.equalsIgnoringCase(text, row[3]);
            return !equal ? "0" : codePage.foldCase(text) == row[3] ? "1" : "1, folded otherwise";
        }
        if (row[0] == "byte") {
            const char c = static_cast<char>(std::stoi(text, nullptr, 16));
            const char32_t unicode = codePage.decode(c);
            return digitsOf(unicode, 16) + " " +
                   digitsOf(static_cast<unsigned char>(codePage.foldCase(c)), 16) +
                   (codePage.encode(unicode) == c ? "" : " not encoded back");
        }
#ifndef _WIN32
        if (row[0] == "name") {
            const std::string windows = UnixFileName::toWindows(text, codePage).value_or("-");
            const bool readsBack =
                windows == "-" || UnixFileName::fromWindows(windows, codePage) == text;
            return readsBack ? windows : windows + " reads back otherwise";
        }
        if (row[0] == "text") {
            return UnixFileName::fromWindows(text, codePage);
        }
        if (row[0] == "shown-name") {
            return UnixFileName::describe(text, codePage);
        }
#endif
        if (row[0] == "to-utf8") {
            return codePage.toUtf8(text);
        }
        if (row[0] == "from-utf8") {
            return codePage.fromUtf8(text).value_or("-");
        }
        return row[0] == "describe" ? codePage.describe(text) : std::to_string(codePage.number());
    }
};

TEST(CodePageTest, EachRowAsTheCodePagesHaveIt) {
    checkRows<CodePageRows>("code-pages.tsv", 848);
}

}  // namespace
}  // namespace kestrix
