#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <optional>

#include "platform/ClipboardKeeper.h"
#include "ui/qt/QtClipboard.h"
#include "ui/qt/SystemText.h"

using namespace kestrix;

namespace {

// Records what it was handed instead of starting the helper.
class FakeKeeper : public ClipboardKeeper {
public:
    FakeKeeper(bool serves, bool keeps) : m_serves(serves), m_keeps(keeps) {}
    bool servesThisDesktop() const override { return m_serves; }
    bool keep(const std::string& text) override {
        m_kept = text;
        return m_keeps;
    }
    const std::optional<std::string>& kept() const { return m_kept; }

private:
    bool m_serves;
    bool m_keeps;
    std::optional<std::string> m_kept;
};

}  // namespace

// Whoever keeps the text, exactly one of the keeper and Qt holds it, so that
// they never compete for the selection.
class QtClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void textGoesToTheKeeperOrElseToQt() {
        const struct {
            const char* name;
            bool withKeeper;
            bool serves;
            bool keeps;
            bool qtHoldsText;
            bool qtCleared;
        } cases[] = {{"no keeper (Windows)", false, false, false, true, true},
                     {"the keeper serves and keeps", true, true, true, false, false},
                     {"the helper fails to start", true, true, false, true, false},
                     {"no X display", true, false, false, true, true}};
        for (const auto& c : cases) {
            QGuiApplication::clipboard()->setText("before");
            FakeKeeper keeper(c.serves, c.keeps);
            QtClipboard clipboard(c.withKeeper ? &keeper : nullptr);
            clipboard.clear();
            QVERIFY2(QGuiApplication::clipboard()->text().isEmpty() == c.qtCleared, c.name);
            // The program's system text reaches the keeper as UTF-8 and Qt as
            // the same characters.
            clipboard.setText(fromQt(QString("Z:\\home\\j\u00fcrgen\\UT")).value());
            QVERIFY2(keeper.kept() ==
                         (c.withKeeper ? std::optional<std::string>("Z:\\home\\j\xc3\xbcrgen\\UT")
                                       : std::nullopt),
                     c.name);
            QVERIFY2((QGuiApplication::clipboard()->text() ==
                      QString("Z:\\home\\j\u00fcrgen\\UT")) == c.qtHoldsText,
                     c.name);
        }
    }
};

QTEST_MAIN(QtClipboardTest)
#include "QtClipboardTest.moc"
