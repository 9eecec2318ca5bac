#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "app/CenterOnScreen.h"
#include "app/Twips.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "support/FormTestRig.h"

using namespace kestrix;

class Module1Test : public QObject {
    Q_OBJECT

private slots:
    void centeredPositionKeepsHalfTwips_data() {
        QTest::addColumn<float>("screen");
        QTest::addColumn<float>("window");
        QTest::addColumn<float>("expected");
        QTest::newRow("even") << 19200.0f << 5730.0f << 6735.0f;
        QTest::newRow("odd difference keeps the half") << 19200.0f << 5835.0f << 6682.5f;
        QTest::newRow("window larger than the screen") << 4000.0f << 5000.0f << -500.0f;
    }
    void centeredPositionKeepsHalfTwips() {
        QFETCH(float, screen);
        QFETCH(float, window);
        QFETCH(float, expected);
        const TwipsPoint origin = centeredPosition(screen, screen, window, window);
        QCOMPARE(origin.left, expected);
        QCOMPARE(origin.top, expected);
    }

    void centerOnScreenCentresTheOuterFrame() {
        QWidget window;
        window.resize(382, 300);
        CenterOnScreen(window);
        const QRect screen = window.screen()->geometry();
        const QRect frame = window.frameGeometry();
        QVERIFY(qAbs(frame.left() - screen.left() - (screen.width() - frame.width()) / 2) <= 1);
        QVERIFY(qAbs(frame.top() - screen.top() - (screen.height() - frame.height()) / 2) <= 1);
        QCOMPARE(window.size(), QSize(382, 300));
    }

    void untrappedPlatformErrorIsReportedWithNumberAndDescription() {
        FormTestRig rig;
        rig.module->runHandler([] { throw PlatformError(ErrorNumber::PathNotFound); });
        QCOMPARE(rig.messageBox.shown.size(), size_t{1});
        QCOMPARE(rig.messageBox.shown[0], std::string("Run-time error '76':\n\nPath not found"));
        QCOMPARE(rig.quitCodes, std::vector<int>{1});
        QVERIFY(rig.module->programEnding());
    }

    void anyOtherExceptionIsReportedAsInternalError() {
        FormTestRig rig;
        rig.module->runHandler([] { throw std::runtime_error("bad state"); });
        QCOMPARE(rig.messageBox.shown.at(0), std::string("Run-time error '51':\n\nbad state"));
        QCOMPARE(rig.quitCodes, std::vector<int>{1});
    }

    void afterTheEndNoHandlerRunsAndTheEndHappensOnce() {
        FormTestRig rig;
        rig.module->EndProgram();
        bool ran = false;
        rig.module->runHandler([&ran] { ran = true; });
        rig.module->EndProgram();
        rig.module->FatalErrorReport(PlatformError(ErrorNumber::FileNotFound));
        QVERIFY(!ran);
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
        QVERIFY(rig.messageBox.shown.empty());
    }

    void endProgramEndsAModalWindowsLoop() {
        FormTestRig rig;
        QDialog dialog;
        QTimer::singleShot(0, [&rig] { rig.module->EndProgram(); });
        dialog.exec();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void settingsAreStoredUnderTheirSections() {
        FormTestRig rig;
        QVERIFY(rig.module->storedGameDir().empty());
        rig.module->storeGameDir("C:\\UT");
        rig.module->storePackageDir("D:\\Mods");
        QCOMPARE(rig.settings->get("KESTRIX", "UTPath", "Path"), std::string("C:\\UT"));
        QCOMPARE(rig.settings->get("KESTRIX", "UMODPath", "Path"), std::string("D:\\Mods"));
        QCOMPARE(rig.module->storedGameDir(), std::string("C:\\UT"));
    }
};

QTEST_MAIN(Module1Test)
#include "Module1Test.moc"
