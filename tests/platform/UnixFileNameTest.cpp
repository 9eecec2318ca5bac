// The rows of tests/data/unix-file-names.tsv: disk names and Windows texts.
#include "platform/posix/UnixFileName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Rows.h"

namespace kestrix {
namespace {

struct UnixFileNameRows {
    std::string answer(const std::vector<std::string>& row) const {
        const CodePage& codePage = CodePage::forNumber(static_cast<unsigned>(std::stoul(row[1])));
        const std::string& name = row[2];
        if (row[0] == "describe") {
            return UnixFileName::describe(name, codePage);
        }
        if (row[0] == "windows") {
            return UnixFileName::fromWindows(name, codePage);
        }
        const std::string text = UnixFileName::toWindows(name, codePage).value_or("-");
        const bool readsBack = UnixFileName::fromWindows(text, codePage) == name;
        return row[0] == "to-windows" || readsBack ? text : text + " reads back otherwise";
    }
};

TEST(UnixFileNameTest, EveryDiskNameMapsToOneWindowsTextAndBack) {
    checkRows<UnixFileNameRows>("unix-file-names.tsv", 23);
}

}  // namespace
}  // namespace kestrix
