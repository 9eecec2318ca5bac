#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Twips.h"
#include "platform/qt/DirListBox.h"
#include "platform/qt/DriveListBox.h"
#include "support/FocusChain.h"
#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

QRect twips(int left, int top, int width, int height) {
    return {Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
            Twips::toPixels(height)};
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheTwipsDrawing() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        // The face the layout's sizes were chosen for; the fitting checks below
        // only mean something with it.
        QCOMPARE(QFontInfo(form.font()).family(), QString("Liberation Sans"));
        QCOMPARE(form.windowTitle(), QString("KESTRIX"));
        QCOMPARE(form.size(), QSize(382, 300));
        QCOMPARE(form.Label1->text(), QString("Select your main UT Directory"));
        QCOMPARE(form.Command1->text(), QString("Install Umod"));
        QCOMPARE(form.Command2->text(), QString("Exit"));
        QCOMPARE(form.Command3->text(), QString("Uninstall Umod"));
        QCOMPARE(form.Dir1->geometry(), twips(960, 480, 3735, 2340));
        QCOMPARE(form.Drive1->geometry(), twips(960, 3000, 2535, 315));
        QCOMPARE(form.Command3->geometry(), twips(2160, 3720, 1215, 495));
        QCOMPARE(form.findChild<QPushButton*>("Command1")->geometry(),
                 twips(3720, 3720, 1215, 495));
        QCOMPARE(focusChain(form, {"Dir1", "Drive1", "Command1", "Command2", "Command3"}),
                 QStringList({"Dir1", "Command1", "Command2", "Drive1", "Command3"}));
        for (QPushButton* button : {form.Command1, form.Command2, form.Command3}) {
            QVERIFY(!button->autoDefault() && !button->isDefault());
            const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(textWidth + 6 <= button->width(), qPrintable(button->text()));
        }
        QVERIFY(form.Label1->fontMetrics().horizontalAdvance(form.Label1->text()) <=
                form.Label1->width());
    }

    void firstStartOpensOnTheCurrentDirectory() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        form.showFirst();
        QCOMPARE(form.Dir1->path(), std::string("C:\\cwd"));
        QVERIFY(form.Drive1->drive().starts_with("c:"));
        QVERIFY(rig.messageBox.shown.empty());
    }

    void startOpensOnTheStoredGameDirectory_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("drive");
        QTest::newRow("same drive") << "C:\\Games\\UT"
                                    << "c:";
        QTest::newRow("other drive") << "D:\\UnrealTournament"
                                     << "d:";
    }
    void startOpensOnTheStoredGameDirectory() {
        QFETCH(QString, stored);
        QFETCH(QString, drive);
        FormTestRig rig;
        rig.makeFolder(stored.toStdString());
        rig.module->storeGameDir(stored.toStdString());
        Form1& form = rig.forms->form1();
        form.showFirst();
        QCOMPARE(QString::fromStdString(form.Dir1->path()), stored);
        QVERIFY(form.Drive1->drive().starts_with(drive.toStdString()));
        QCOMPARE(QString::fromStdString(rig.module->state().SavedGameDir), stored);
        QCOMPARE(rig.module->state().SavedGameDrive, stored.left(1).toStdString());
    }

    void storedDirectoryThatIsGoneOpensAsAFirstStart_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("folder removed") << "D:\\Gone";
        QTest::newRow("drive not ready") << "X:\\UT";
    }
    void storedDirectoryThatIsGoneOpensAsAFirstStart() {
        QFETCH(QString, stored);
        FormTestRig rig;
        rig.module->storeGameDir(stored.toStdString());
        Form1& form = rig.forms->form1();
        form.showFirst();
        QCOMPARE(form.Dir1->path(), std::string("C:\\cwd"));
        QVERIFY(form.Drive1->drive().starts_with("c:"));
        QVERIFY(rig.messageBox.shown.empty());
        QVERIFY(rig.quitCodes.empty());
        QCOMPARE(QString::fromStdString(rig.module->storedGameDir()), stored);
    }

    void driveThatIsNotReadyIsReportedAndTheListStays() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        form.showFirst();
        form.Drive1->setDrive("x");
        QCOMPARE(rig.messageBox.shown, std::vector<std::string>{"Device unavailable"});
        QVERIFY(form.Drive1->drive().starts_with("x:"));
        QVERIFY(rig.module->state().CurrentDrive.starts_with("x:"));
        QCOMPARE(form.Dir1->path(), std::string("C:\\cwd"));
        QVERIFY(rig.quitCodes.empty());
    }

    void driveChangeMovesToThatDrivesCurrentDirectory() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        form.showFirst();
        form.Drive1->setDrive("d");
        QCOMPARE(form.Dir1->path(), std::string("D:\\"));
        form.Drive1->setDrive("c");
        QCOMPARE(form.Dir1->path(), std::string("C:\\cwd"));
    }

    void goingOnStoresRecordsAndShowsTheNextWindowModally_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Install Umod") << "Command1";
        QTest::newRow("Uninstall Umod") << "Command3";
    }
    void goingOnStoresRecordsAndShowsTheNextWindowModally() {
        QFETCH(QString, button);
        FormTestRig rig;
        rig.makeFolder("D:\\UT\\System");
        rig.makeFile("D:\\UT\\System\\Manifest.ini", "[Setup]\r\nGroup=UnrealTournament\r\n\r\n");
        Form1& form = rig.forms->form1();
        form.showFirst();
        form.Drive1->setDrive("d");
        form.Dir1->setPath("D:\\UT");
        QDialog* next = button == "Command1" ? static_cast<QDialog*>(&rig.forms->form2())
                                             : static_cast<QDialog*>(&rig.forms->form3());
        bool sawNextModal = false;
        std::string storedWhileOpen;
        QTimer::singleShot(0, [&] {
            sawNextModal = next->isVisible() && next->isModal() && !form.isVisible();
            storedWhileOpen = rig.module->storedGameDir();
            next->close();
        });
        QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(sawNextModal);
        QCOMPARE(storedWhileOpen, std::string("D:\\UT"));
        QCOMPARE(rig.module->state().GameDir, std::string("D:\\UT"));
        QVERIFY(rig.module->state().CurrentDrive.starts_with("d:"));
        // Closing the next window by its frame brings the main window back.
        QVERIFY(form.isVisible());
        QVERIFY(rig.quitCodes.empty());
    }

    void exitEndsTheProgram() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        form.showFirst();
        QTest::mouseClick(form.Command2, Qt::LeftButton);
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
        QVERIFY(!form.isVisible());
        QVERIFY(rig.module->storedGameDir().empty());
    }

    void closingTheMainWindowEndsTheProgramWithNothingStored() {
        FormTestRig rig;
        Form1& form = rig.forms->form1();
        form.showFirst();
        form.close();
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
        QVERIFY(rig.module->storedGameDir().empty());
    }

    void errorInTheNextWindowsLoadEndsTheProgramThroughTheReport() {
        FormTestRig rig;
        rig.makeFolder("C:\\UT");
        Form1& form = rig.forms->form1();
        form.showFirst();
        form.Dir1->setPath("C:\\UT");
        std::filesystem::remove(rig.host("C:\\UT"));
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QCOMPARE(rig.messageBox.shown,
                 std::vector<std::string>{"Run-time error '76':\n\nPath not found"});
        QCOMPARE(rig.quitCodes, std::vector<int>{1});
        QVERIFY(!rig.forms->form2().isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
