#include "ui/qt/SystemText.h"

#include "platform/CodePage.h"

namespace kestrix {

QString toQt(const std::string& text) {
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
