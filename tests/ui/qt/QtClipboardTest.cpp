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
    void textGoesToTheKeeperOrElseToQt_data() {
        QTest::addColumn<bool>("withKeeper");
        QTest::addColumn<bool>("serves");
        QTest::addColumn<bool>("keeps");
        QTest::addColumn<bool>("qtHoldsText");
        QTest::addColumn<bool>("qtCleared");
        QTest::newRow("no keeper (Windows)") << false << false << false << true << true;
        QTest::newRow("the keeper serves and keeps") << true << true << true << false << false;
        QTest::newRow("the helper fails to start") << true << true << false << true << false;
        QTest::newRow("no X display") << true << false << false << true << true;
    }

    void textGoesToTheKeeperOrElseToQt() {
        QFETCH(bool, withKeeper);
        QFETCH(bool, serves);
        QFETCH(bool, keeps);
        QFETCH(bool, qtHoldsText);
        QFETCH(bool, qtCleared);
        QGuiApplication::clipboard()->setText("before");
        FakeKeeper keeper(serves, keeps);
        QtClipboard clipboard(withKeeper ? &keeper : nullptr);

        clipboard.clear();
        QCOMPARE(QGuiApplication::clipboard()->text().isEmpty(), qtCleared);

        // The program's system text reaches the keeper as UTF-8 and Qt as the
        // same characters.
        const std::string gameDir = fromQt(QString("Z:\\home\\j\u00fcrgen\\UT"));
        clipboard.setText(gameDir);
        if (withKeeper) {
            QCOMPARE(keeper.kept(), std::optional<std::string>("Z:\\home\\j\xc3\xbcrgen\\UT"));
        } else {
            QVERIFY(!keeper.kept().has_value());
        }
        QCOMPARE(QGuiApplication::clipboard()->text() == QString("Z:\\home\\j\u00fcrgen\\UT"),
                 qtHoldsText);
    }
};

QTEST_MAIN(QtClipboardTest)
#include "QtClipboardTest.moc"
