#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProxyStyle>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/CodePage.h"
#include "ui/qt/QtButtonView.h"
#include "ui/qt/QtComboBoxView.h"
#include "ui/qt/QtDirListView.h"
#include "ui/qt/QtDriveListView.h"
#include "ui/qt/QtFileListView.h"
#include "ui/qt/QtFormWindow.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtWindowSystem.h"
#include "views/FormLayout.h"

using namespace kestrix;

namespace {

class ButtonIconStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

// Each Qt view once: what it draws and what it reports, through Qt's own
// input where the user's input matters.
class QtViewsTest : public QObject {
    Q_OBJECT

private slots:
    void windowSizesInTwipsMovesAndReportsItsFrameClose() {
        QtFormWindow window(FormLayout{"Title", 1500, 750, {}});
        QCOMPARE(window.size(), QSize(100, 50));
        const QRect screen = window.screen()->geometry();
        QCOMPARE(window.screenSize().width, screen.width() * 15);
        QCOMPARE(window.outerSize().width, window.frameGeometry().width() * 15);
        window.moveTo(1514.0f, 29.9f);  // cut, not rounded, to whole pixels
        QCOMPARE(window.frameGeometry().topLeft(), screen.topLeft() + QPoint(100, 1));
        int closes = 0;
        window.onFrameClose([&closes] { ++closes; });
        QTimer::singleShot(0, [&window] {
            // Escape is no cancel button; the frame closes it.
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(window.isVisible());
            window.close();
        });
        QtFormWindow owner(FormLayout{"Owner", 1500, 750, {}});
        window.showModal(owner);
        QCOMPARE(closes, 1);
        QVERIFY(!window.isVisible());
    }

    void hidingEveryWindowEndsAModalShowWithoutAFrameClose() {
        QtFormWindow window(FormLayout{"Title", 1500, 750, {}});
        int closes = 0;
        window.onFrameClose([&closes] { ++closes; });
        QtWindowSystem windows;
        QTimer::singleShot(0, [&windows] { windows.hideAllWindows(); });
        window.showModal(window);
        QVERIFY(!window.isVisible());
        QCOMPARE(closes, 0);
    }

    void buttonReportsClicksAndIsNoDefault() {
        QtButtonView button("OK");
        int clicks = 0;
        button.onClick([&clicks] { ++clicks; });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QVERIFY(!button.autoDefault());
    }

    void driveListReportsTheUsersPicksOnly() {
        QtDriveListView list;
        list.setItems({"c: [/c]", "d: [/d]"});
        std::vector<int> picks;
        list.onPick([&picks](int index) { picks.push_back(index); });
        list.setCurrentIndex(1);
        QCOMPARE(list.currentText(), QString("d: [/d]"));
        list.show();
        QTest::keyClick(&list, Qt::Key_Up);
        QCOMPARE(picks, std::vector<int>{0});
    }

    void dirListDrawsItsEntriesAndReportsOpensNotSingleClicks() {
        QtDirListView list;
        list.resize(200, 200);
        list.setEntries({{"C:\\", 0, true}, {"UT", 1, true}, {"Maps", 2, false}}, 1);
        QCOMPARE(list.model()->rowCount(), 3);
        QCOMPARE(list.currentIndex().data().toString(), QString("UT"));
        std::vector<int> opens;
        list.onOpen([&opens](int index) { opens.push_back(index); });
        list.show();
        const QPoint maps = list.visualRect(list.model()->index(2, 0)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, maps);
        QVERIFY(opens.empty());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, maps);
        list.setCurrentIndex(list.model()->index(0, 0));
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(opens, (std::vector<int>{2, 0}));
    }

    void fileListSelectsNothingUntilTheUserDoes() {
        QtFileListView list;
        list.setEntries({"A.umod", "b.umod"});
        QCOMPARE(list.model()->rowCount(), 2);
        QVERIFY(!list.selectedIndex());
        // Focused, not selected.
        list.selectionModel()->setCurrentIndex(list.model()->index(0, 0),
                                               QItemSelectionModel::NoUpdate);
        QVERIFY(!list.selectedIndex());
        list.setCurrentIndex(list.model()->index(1, 0));
        QCOMPARE(list.selectedIndex(), std::optional<int>(1));
        list.setEntries({"c.umod"});
        QVERIFY(!list.selectedIndex());
    }

    void comboBoxKeepsItemsAndTypedTextApart() {
        QtComboBoxView combo;
        QVERIFY(combo.isEditable());
        combo.addItem("Foo");
        combo.addItem("Bar");
        combo.setEditText("");
        QCOMPARE(combo.editText(), std::string());
        QCOMPARE(combo.currentIndex(), -1);
        combo.QComboBox::setCurrentIndex(1);
        QCOMPARE(combo.editText(), std::string("Bar"));
        combo.removeItem(0);
        QCOMPARE(combo.count(), 1);
        QCOMPARE(combo.itemText(0), std::string("Bar"));
        combo.clear();
        QCOMPARE(combo.count(), 0);
        QCOMPARE(combo.editText(), std::string());
    }

    // A typed name reaches the program in the code page once, here; one that
    // the code page cannot write comes back as a text no header holds.
    void comboBoxGivesTypedNamesInTheCodePage() {
        if (CodePage::system().number() != 1252) {
            QSKIP("the names are spelled for Windows-1252");
        }
        const struct {
            const char* typed;  // UTF-8, as Qt is given it
            std::string named;
        } cases[] = {{"R\u00e4ume Pack", "R\xE4ume Pack"},
                     {"\u00c9t\u00e9 \u20ac", "\xC9t\xE9 \x80"},
                     {"\u0416\u0443\u043a", "<U+0416><U+0443><U+043A>"}};
        for (const auto& c : cases) {
            QtComboBoxView combo;
            combo.QComboBox::setEditText(QString::fromUtf8(c.typed));
            QCOMPARE(combo.editText(), c.named);
            combo.addItem(c.named);
            QCOMPARE(combo.itemText(0), c.named);
        }
    }

    void messageBoxShowsItsTextInTheWindowsFontWithNoIcon() {
        // A style that puts icons on dialog buttons, as desktop themes do.
        QApplication::setStyle(new ButtonIconStyle);
        QString text;
        QString family;
        bool okHasIcon = true;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            text = box->text();
            family = box->findChild<QLabel*>("qt_msgbox_label")->font().family();
            okHasIcon = !box->button(QMessageBox::Ok)->icon().isNull() ||
                        box->icon() != QMessageBox::NoIcon;
            box->accept();
        });
        QtMessageBox().show("done");
        QCOMPARE(text, QString("done"));
        QCOMPARE(family, QString("Liberation Sans"));
        QVERIFY(!okHasIcon);
    }
};

QTEST_MAIN(QtViewsTest)
#include "QtViewsTest.moc"
