#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "ui/qt/QtViewFactory.h"
#include "views/FormLayout.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

Q_DECLARE_METATYPE(const FormLayout*)

namespace {

// The named controls in the order the Tab key visits them, starting from the
// first; the inner parts of compound controls are skipped.
QStringList focusChain(QWidget& window, const QStringList& controls) {
    QStringList order;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if (controls.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
    }
    return order;
}

}  // namespace

// Each window's widgets as its layout table draws them, at 15 twips to the
// pixel.
class QtLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void widgetsFollowTheTable_data() {
        QTest::addColumn<const FormLayout*>("layout");
        QTest::addColumn<QSize>("clientPixels");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("Form1") << &Form1::layout() << QSize(382, 300)
                               << QStringList{"Dir1", "Command1", "Command2", "Drive1", "Command3"};
        QTest::newRow("Form2") << &Form2::layout() << QSize(384, 284)
                               << QStringList{"Dir2", "File1", "Command1", "Command2", "Drive2"};
        QTest::newRow("Form3") << &Form3::layout() << QSize(389, 285)
                               << QStringList{"Combo1", "Command1", "Command2"};
    }
    void widgetsFollowTheTable() {
        QFETCH(const FormLayout*, layout);
        QFETCH(QSize, clientPixels);
        QFETCH(QStringList, tabOrder);
        QtViewFactory factory;
        const FormViews views = factory.create(*layout);
        auto& window = dynamic_cast<QWidget&>(views.window());
        QCOMPARE(window.windowTitle(), QString::fromStdString(layout->title));
        QCOMPARE(window.size(), clientPixels);
        // The face the layout's sizes were chosen for; the fitting checks below
        // only mean something with it.
        QCOMPARE(QFontInfo(window.font()).family(), QString("Liberation Sans"));
        for (const ControlLayout& control : layout->controls) {
            const QString name = QString::fromStdString(control.name);
            auto* widget = window.findChild<QWidget*>(name);
            QVERIFY2(widget != nullptr, qPrintable(name));
            QCOMPARE(widget->geometry(), QRect(control.left / 15, control.top / 15,
                                               control.width / 15, control.height / 15));
            const QString text = QString::fromStdString(control.text);
            switch (control.kind) {
                case ControlKind::Label: {
                    auto* label = qobject_cast<QLabel*>(widget);
                    QVERIFY(label != nullptr);
                    QCOMPARE(label->text(), text);
                    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width());
                    break;
                }
                case ControlKind::Button: {
                    auto* button = qobject_cast<QPushButton*>(widget);
                    QVERIFY(button != nullptr);
                    QCOMPARE(button->text(), text);
                    QVERIFY(!button->autoDefault() && !button->isDefault());
                    QVERIFY2(button->fontMetrics().horizontalAdvance(text) + 6 <= button->width(),
                             qPrintable(text));
                    break;
                }
                case ControlKind::DriveList:
                    QVERIFY(qobject_cast<QComboBox*>(widget) &&
                            !qobject_cast<QComboBox*>(widget)->isEditable());
                    break;
                case ControlKind::ComboBox:
                    QVERIFY(qobject_cast<QComboBox*>(widget) &&
                            qobject_cast<QComboBox*>(widget)->isEditable());
                    break;
                case ControlKind::DirList:
                case ControlKind::FileList:
                    QVERIFY(qobject_cast<QListView*>(widget) != nullptr);
                    break;
            }
        }
        QCOMPARE(focusChain(window, tabOrder), tabOrder);
    }
};

QTEST_MAIN(QtLayoutTest)
#include "QtLayoutTest.moc"
