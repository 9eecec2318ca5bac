#include "ui/qt/SystemText.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace kestrix {

QString toQt(const std::string& text) {
    // ASCII reads the same in every code page: most texts need no table.
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return QString::fromStdString(CodePage::system().toUtf8(text));
}

std::optional<std::string> fromQt(const QString& text) {
    return CodePage::system().fromUtf8(text.toStdString());
}

std::string describeFromQt(const QString& text) {
    const CodePage& codePage = CodePage::system();
    // The description holds only characters the code page has, so it always
    // converts.
    return codePage.fromUtf8(codePage.describe(text.toStdString())).value_or("");
}

}  // namespace kestrix
