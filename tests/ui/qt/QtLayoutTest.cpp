#include <QAccessible>
#include <QTest>
#include <algorithm>

#include "ui/qt/QtViewFactory.h"
#include "views/FormLayout.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

// Each window as its layout table draws it, at 15 twips to the pixel, and as
// a screen reader finds it.
class QtLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowsFollowTheirTables() {
        for (const FormLayout* layout : {&Form1::layout(), &Form2::layout(), &Form3::layout()}) {
            QtViewFactory factory;
            const FormViews views = factory.create(*layout);
            auto& window = dynamic_cast<QWidget&>(views.window());
            QCOMPARE(window.windowTitle(), QString::fromStdString(layout->title));
            QCOMPARE(window.size(), QSize(layout->clientWidth / 15, layout->clientHeight / 15));
            std::vector<ControlLayout> focusable;
            for (const ControlLayout& control : layout->controls) {
                const QString name = QString::fromStdString(control.name);
                auto* widget = window.findChild<QWidget*>(name);
                QVERIFY2(widget != nullptr, qPrintable(name));
                QCOMPARE(widget->geometry(), QRect(control.left / 15, control.top / 15,
                                                   control.width / 15, control.height / 15));
                // The text, with a button's margins, fits in the face the
                // layouts were drawn for.
                const QString text = QString::fromStdString(control.text);
                QVERIFY2(widget->fontMetrics().horizontalAdvance(text) + 6 <= widget->width(),
                         qPrintable(name));
                if (control.kind != ControlKind::Label) {
                    focusable.push_back(control);
                }
                // A labelled control is read out by its label's text.
                if (!control.labelFor.empty()) {
                    auto* named =
                        window.findChild<QWidget*>(QString::fromStdString(control.labelFor));
                    QVERIFY2(named != nullptr, qPrintable(name));
                    QCOMPARE(QAccessible::queryAccessibleInterface(named)->text(QAccessible::Name),
                             text);
                }
            }
            // Tab visits the controls in ascending tab index, from the first.
            std::stable_sort(focusable.begin(), focusable.end(),
                             [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
            QWidget* widget = window.focusWidget();
            for (const ControlLayout& control : focusable) {
                while (widget->parentWidget() != &window) {
                    widget = widget->nextInFocusChain();
                }
                QCOMPARE(widget->objectName(), QString::fromStdString(control.name));
                widget = widget->nextInFocusChain();
            }
        }
    }
};

QTEST_MAIN(QtLayoutTest)
#include "QtLayoutTest.moc"
