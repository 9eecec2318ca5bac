#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/Twips.h"
#include "support/FocusChain.h"
#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

const std::string Manifest =
    "[Setup]\r\nMasterProduct=UnrealTournament\r\nGroup=UnrealTournament\r\nGroup=Foo Pack\r\n"
    "Group=BarMaps\r\n\r\n"
    "[UnrealTournament]\r\nFile=System\\De.u\r\nFile=System\\Engine.u\r\n\r\n"
    "[RefCounts]\r\nFile:System\\De.u=2\r\n\r\n"
    "[Foo Pack]\r\nFile=System\\Foo.u\r\nFile=System\\de.u\r\nCaption=Foo (1.0)\r\n\r\n"
    "[BarMaps]\r\nFile=Maps\\DM-Bar][.unr\r\n\r\n";

QStringList listed(const QComboBox& combo) {
    QStringList names;
    for (int index = 0; index < combo.count(); ++index) {
        names << combo.itemText(index);
    }
    return names;
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A game folder on D: with the manifest and the files it lists, stored as
// the game directory the way Form1 leaves it.
void installGame(FormTestRig& rig) {
    rig.makeFile("D:\\UT\\System\\Manifest.ini", Manifest);
    for (const char* file : {"D:\\UT\\System\\De.u", "D:\\UT\\System\\Engine.u",
                             "D:\\UT\\System\\Foo.u", "D:\\UT\\Maps\\DM-Bar][.unr"}) {
        rig.makeFile(file, "data");
    }
    rig.module->storeGameDir("D:\\UT");
}

void withUninstallerOpen(FormTestRig& rig, const std::function<void(Form3&)>& step) {
    Form3& form = rig.forms->form3();
    rig.whileShown(form, [&] { step(form); });
}

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheTwipsDrawing() {
        FormTestRig rig;
        Form3& form = rig.forms->form3();
        QCOMPARE(form.windowTitle(), QString("Kestrix Uninstaller"));
        QCOMPARE(form.size(), QSize(389, 285));
        QCOMPARE(form.Label1->text(), QString("Select the umod to uninstall."));
        QCOMPARE(form.Combo1->geometry(), QRect(56, 48, 273, 21));
        QCOMPARE(form.Command1->text(), QString("Exit"));
        QCOMPARE(form.Command2->text(), QString("Uninstall"));
        QCOMPARE(form.Command2->geometry(), QRect(224, 232, 105, 33));
        QCOMPARE(focusChain(form, {"Combo1", "Command1", "Command2"}),
                 QStringList({"Combo1", "Command1", "Command2"}));
        QVERIFY(form.Combo1->isEditable());
        QVERIFY(form.Combo1->currentText().isEmpty());
    }

    void loadListsTheInstalledPackages() {
        FormTestRig rig;
        installGame(rig);
        QStringList first;
        QString chosen = "not read";
        withUninstallerOpen(rig, [&](Form3& form) {
            first = listed(*form.Combo1);
            chosen = form.Combo1->currentText();
        });
        QCOMPARE(first, QStringList({"Foo Pack", "BarMaps"}));
        QVERIFY(chosen.isEmpty());
        // Closed by its frame and opened again, it lists each package once.
        QStringList second;
        withUninstallerOpen(rig, [&](Form3& form) { second = listed(*form.Combo1); });
        QCOMPARE(second, first);
        QVERIFY(rig.messageBox.shown.empty());
    }

    void missingManifestIsReportedAndTheWindowOpensEmpty() {
        FormTestRig rig;
        rig.makeFolder("D:\\NotTheGame");
        rig.module->storeGameDir("D:\\NotTheGame");
        bool openedEmpty = false;
        withUninstallerOpen(
            rig, [&](Form3& form) { openedEmpty = form.isVisible() && form.Combo1->count() == 0; });
        QVERIFY(openedEmpty);
        QCOMPARE(rig.messageBox.shown, std::vector<std::string>{"File not found"});
        QVERIFY(rig.quitCodes.empty());
    }

    void uninstallRemovesThePackageAndSaysDone() {
        FormTestRig rig;
        installGame(rig);
        QStringList afterwards;
        QString textAfterwards = "not read";
        withUninstallerOpen(rig, [&](Form3& form) {
            form.Combo1->setCurrentIndex(0);
            QTest::mouseClick(form.Command2, Qt::LeftButton);
            afterwards = listed(*form.Combo1);
            textAfterwards = form.Combo1->currentText();
        });
        QCOMPARE(rig.messageBox.shown, std::vector<std::string>{"done"});
        QCOMPARE(afterwards, QStringList({"BarMaps"}));
        QVERIFY(textAfterwards.isEmpty());
        QCOMPARE(rig.module->state().ChosenPackage, std::string("Foo Pack"));
        QVERIFY(!std::filesystem::exists(rig.host("D:\\UT\\System\\Foo.u")));
        // Still listed by the base game, in another letter case.
        QVERIFY(std::filesystem::exists(rig.host("D:\\UT\\System\\De.u")));
        QCOMPARE(contentOf(rig.host("D:\\UT\\system\\manifest.bak")), Manifest);
        const std::string now = contentOf(rig.host("D:\\UT\\system\\manifest.ini"));
        QVERIFY(now.find("[Foo Pack]") == std::string::npos);
        QVERIFY(now.find("[BarMaps]\r\nFile=Maps\\DM-Bar][.unr\r\n") != std::string::npos);
        QVERIFY(rig.quitCodes.empty());
    }

    void typedNameThatIsNotInstalledChangesNothing() {
        FormTestRig rig;
        installGame(rig);
        withUninstallerOpen(rig, [&](Form3& form) {
            form.Combo1->setEditText("UnrealTournament");
            QTest::mouseClick(form.Command2, Qt::LeftButton);
        });
        QCOMPARE(rig.messageBox.shown.size(), size_t{1});
        QVERIFY(rig.messageBox.shown[0].starts_with("No package named \"UnrealTournament\""));
        QCOMPARE(contentOf(rig.host("D:\\UT\\System\\Manifest.ini")), Manifest);
        QVERIFY(!std::filesystem::exists(rig.host("D:\\UT\\System\\manifest.bak")));
        QVERIFY(std::filesystem::exists(rig.host("D:\\UT\\System\\Engine.u")));
    }

    void manifestGoneBeforeUninstallIsReportedAndTheWindowStays() {
        FormTestRig rig;
        installGame(rig);
        bool stillOpen = false;
        withUninstallerOpen(rig, [&](Form3& form) {
            std::filesystem::remove(rig.host("D:\\UT\\System\\Manifest.ini"));
            form.Combo1->setCurrentIndex(0);
            QTest::mouseClick(form.Command2, Qt::LeftButton);
            stillOpen = form.isVisible();
        });
        QVERIFY(stillOpen);
        QCOMPARE(rig.messageBox.shown, std::vector<std::string>{"File not found"});
        QVERIFY(std::filesystem::exists(rig.host("D:\\UT\\System\\Foo.u")));
    }

    void withNoStoredGameDirectoryTheMainWindowComesBack() {
        FormTestRig rig;
        Form1& main = rig.forms->form1();
        main.showFirst();
        bool mainShownInstead = false;
        withUninstallerOpen(rig, [&](Form3& form) {
            mainShownInstead = main.isVisible() && !form.isVisible();
            QTest::mouseClick(main.Command2, Qt::LeftButton);
        });
        QVERIFY(mainShownInstead);
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
    }

    void exitEndsTheProgram() {
        FormTestRig rig;
        installGame(rig);
        withUninstallerOpen(rig,
                            [&](Form3& form) { QTest::mouseClick(form.Command1, Qt::LeftButton); });
        QCOMPARE(rig.quitCodes, std::vector<int>{0});
        QCOMPARE(contentOf(rig.host("D:\\UT\\System\\Manifest.ini")), Manifest);
    }
};

QTEST_MAIN(Form3Test)
#include "Form3Test.moc"
