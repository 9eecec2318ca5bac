#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/Twips.h"
#include "platform/ErrorNumber.h"
#include "platform/qt/DirListBox.h"
#include "platform/qt/DriveListBox.h"
#include "platform/qt/FileListBox.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtProcessLauncher.h"
#include "support/FocusChain.h"
#include "support/FormTestRig.h"
#include "windows/Form2.h"

using namespace kestrix;

namespace {

// The state Form1 leaves behind when the user goes on from the game folder.
void chooseGameDir(FormTestRig& rig, const std::string& gameDir) {
    rig.makeFolder(gameDir);
    rig.module->state().GameDir = gameDir;
    rig.module->state().CurrentDrive = gameDir.substr(0, 1) + ":";
    rig.module->storeGameDir(gameDir);
}

void withInstallerOpen(FormTestRig& rig, const std::function<void(Form2&)>& step) {
    Form2& form = rig.forms->form2();
    rig.whileShown(form, [&] { step(form); });
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheTwipsDrawing() {
        FormTestRig rig;
        Form2& form = rig.forms->form2();
        QCOMPARE(form.windowTitle(), QString("KESTRIX Installer"));
        QCOMPARE(form.size(), QSize(384, 284));
        QCOMPARE(form.Label1->text(), QString("Select the umod to install"));
        QCOMPARE(form.Command1->text(), QString("Install"));
        QCOMPARE(form.Command2->text(), QString("Exit"));
        QCOMPARE(form.File1->geometry(), QRect(192, 56, 177, 123));
        QCOMPARE(form.Drive2->geometry(), QRect(8, 192, 169, 21));
        QCOMPARE(form.File1->pattern(), std::string("*.umod"));
        QCOMPARE(focusChain(form, {"Dir2", "File1", "Drive2", "Command1", "Command2"}),
                 QStringList({"Dir2", "File1", "Command1", "Command2", "Drive2"}));
    }

    void firstUseOpensOnTheGameDirectoryAndListsItsPackages() {
        FormTestRig rig;
        chooseGameDir(rig, "D:\\UT");
        rig.makeFile("D:\\UT\\Foo.umod");
        rig.makeFile("D:\\UT\\Bar.UMOD");
        withInstallerOpen(rig, [&](Form2& form) {
            QCOMPARE(form.Dir2->path(), std::string("D:\\UT"));
            QVERIFY(form.Drive2->drive().starts_with("d:"));
            QCOMPARE(entryTexts(*form.File1), QStringList({"Bar.UMOD", "Foo.umod"}));
            QCOMPARE(rig.module->state().PackageDir, std::string("D:\\UT"));
        });
        QVERIFY(rig.messageBox.shown.empty());
    }

    void opensOnTheStoredPackageDirectory_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("same drive") << "D:\\Downloads";
        QTest::newRow("other drive") << "C:\\Mods";
    }
    void opensOnTheStoredPackageDirectory() {
        QFETCH(QString, stored);
        FormTestRig rig;
        chooseGameDir(rig, "D:\\UT");
        rig.makeFile(stored.toStdString() + "\\Pack.umod");
        rig.module->storePackageDir(stored.toStdString());
        withInstallerOpen(rig, [&](Form2& form) {
            QCOMPARE(QString::fromStdString(form.Dir2->path()), stored);
            QVERIFY(form.Drive2->drive().starts_with(stored.left(1).toLower().toStdString()));
            QCOMPARE(entryTexts(*form.File1), QStringList({"Pack.umod"}));
        });
        QCOMPARE(QString::fromStdString(rig.module->state().SavedPackageDir), stored);
    }

    void storedPackageDirectoryThatIsGoneFallsBackToTheGameDirectory_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("folder removed") << "C:\\Gone";
        QTest::newRow("drive not ready") << "X:\\Mods";
    }
    void storedPackageDirectoryThatIsGoneFallsBackToTheGameDirectory() {
        QFETCH(QString, stored);
        FormTestRig rig;
        chooseGameDir(rig, "D:\\UT");
        rig.module->storePackageDir(stored.toStdString());
        withInstallerOpen(rig, [&](Form2& form) {
            QCOMPARE(form.Dir2->path(), std::string("D:\\UT"));
            QVERIFY(form.Drive2->drive().starts_with("d:"));
        });
        QVERIFY(rig.messageBox.shown.empty());
        QVERIFY(rig.quitCodes.empty());
    }

    void driveThatIsNotReadyIsReportedAndTheListsStay() {
        FormTestRig rig;
        chooseGameDir(rig, "D:\\UT");
        rig.makeFile("D:\\UT\\Foo.umod");
        withInstallerOpen(rig, [&](Form2& form) {
            form.Drive2->setDrive("x");
            QCOMPARE(rig.messageBox.shown, std::vector<std::string>{"Device unavailable"});
            QVERIFY(form.Drive2->drive().starts_with("x:"));
            QCOMPARE(form.Dir2->path(), std::string("D:\\UT"));
            QCOMPARE(entryTexts(*form.File1), QStringList({"Foo.umod"}));
            QCOMPARE(rig.module->state().PackageDir, std::string("D:\\UT"));
        });
    }

    void installStartsTheSetupToolAndEnds() {
        FormTestRig rig;
        chooseGameDir(rig, "C:\\UT");
        rig.makeFile("D:\\My Mods\\Foo Bar.umod");
        rig.module->storePackageDir("D:\\My Mods");
        withInstallerOpen(rig, [&](Form2& form) {
            form.File1->setCurrentRow(0);
            QTest::mouseClick(form.Command1, Qt::LeftButton);
        });
        QCOMPARE(rig.processLauncher.started,
                 std::vector<std::string>{
                     "C:\\UT\\System\\setup.exe install \"D:\\My Mods\\Foo Bar.umod\""});
        QVERIFY(rig.clipboard.cleared);
        QCOMPARE(rig.clipboard.text.value_or(""), std::string("C:\\UT"));
        QCOMPARE(rig.module->storedPackageDir(), std::string("D:\\My Mods"));
        QCOMPARE(rig.module->state().PackageFile, std::string("Foo Bar.umod"));
        QVERIFY(rig.messageBox.shown.empty());
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void installWithNoFileSelectedStillStoresAndEnds() {
        FormTestRig rig;
        chooseGameDir(rig, "C:\\UT");
        withInstallerOpen(rig,
                          [&](Form2& form) { QTest::mouseClick(form.Command1, Qt::LeftButton); });
        QCOMPARE(rig.processLauncher.started,
                 std::vector<std::string>{"C:\\UT\\System\\setup.exe install \"C:\\UT\\\""});
        QCOMPARE(rig.module->storedPackageDir(), std::string("C:\\UT"));
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void installEndsEvenWhenTheToolCannotStart_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        QTest::newRow("tool missing") << ErrorNumber::FileNotFound << "File not found"
                                      << "Make sure you have your Main UT Directory Selected.";
        QTest::newRow("other failure")
            << ErrorNumber::PathFileAccessError << "Wine is needed to start the game's setup tool."
            << "Wine is needed to start the game's setup tool.";
    }
    void installEndsEvenWhenTheToolCannotStart() {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, message);
        FormTestRig rig;
        chooseGameDir(rig, "C:\\UT");
        rig.processLauncher.failure = PlatformError(number, description.toStdString());
        withInstallerOpen(rig,
                          [&](Form2& form) { QTest::mouseClick(form.Command1, Qt::LeftButton); });
        QCOMPARE(rig.messageBox.shown, std::vector<std::string>{message.toStdString()});
        // The clipboard is set before the start is tried.
        QCOMPARE(rig.clipboard.text.value_or(""), std::string("C:\\UT"));
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void exitEndsWithoutInstalling() {
        FormTestRig rig;
        chooseGameDir(rig, "C:\\UT");
        withInstallerOpen(rig,
                          [&](Form2& form) { QTest::mouseClick(form.Command2, Qt::LeftButton); });
        QVERIFY(rig.processLauncher.started.empty());
        QVERIFY(rig.module->storedPackageDir().empty());
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void runMeReallyStartsTheToolAndFillsTheClipboard() {
        FormTestRig rig;
        chooseGameDir(rig, "D:\\Unreal Tournament");
        const std::filesystem::path received = rig.host("D:\\received.txt");
        rig.makeFile("D:\\Unreal Tournament\\System\\Setup.exe",
                     "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + received.string() +
                         ".tmp'\nmv '" + received.string() + ".tmp' '" + received.string() + "'\n");
        std::filesystem::permissions(rig.host("D:\\Unreal Tournament\\System\\Setup.exe"),
                                     std::filesystem::perms::owner_all);
        QtProcessLauncher launcher(*rig.drives);
        QtClipboard clipboard;
        Module1 module({*rig.settings, rig.messageBox, clipboard, launcher, *rig.drives, rig.files},
                       [](int) {});
        module.state() = rig.module->state();
        module.state().PackageDir = "C:\\Mods";
        module.state().PackageFile = "Foo.umod";
        Form2 form(module);
        form.RunMe();
        QVERIFY(rig.messageBox.shown.empty());
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(received), 10000);
        std::ifstream in(received);
        std::string first;
        std::string second;
        std::getline(in, first);
        std::getline(in, second);
        QCOMPARE(first, std::string("install"));
        QCOMPARE(second, std::string("C:\\Mods\\Foo.umod"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("D:\\Unreal Tournament"));
    }
};

QTEST_MAIN(Form2Test)
#include "Form2Test.moc"
