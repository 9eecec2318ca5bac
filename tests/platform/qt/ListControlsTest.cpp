#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/qt/DirListBox.h"
#include "platform/qt/DriveListBox.h"
#include "platform/qt/FileListBox.h"
#include "support/FormTestRig.h"

using namespace kestrix;

namespace {

int raisedError(const std::function<void()>& action) {
    try {
        action();
    } catch (const PlatformError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace

class ListControlsTest : public QObject {
    Q_OBJECT

private slots:
    void dirListShowsAncestorsThenSortedVisibleSubfolders() {
        FormTestRig rig;
        for (const char* folder : {"C:\\Games\\UT\\System", "C:\\Games\\UT\\maps",
                                   "C:\\Games\\UT\\.cache", "C:\\Games\\UT\\Textures"}) {
            rig.makeFolder(folder);
        }
        rig.makeFile("C:\\Games\\UT\\readme.txt");
        DirListBox list(*rig.drives);
        list.setPath("c:\\games\\ut");
        QCOMPARE(list.path(), std::string("C:\\Games\\UT"));
        QCOMPARE(entryTexts(list),
                 QStringList({"C:\\", "Games", "UT", "maps", "System", "Textures"}));
        QCOMPARE(list.currentItem()->text(), QString("UT"));
    }

    void dirListGivenADriveOpensItsCurrentDirectory() {
        FormTestRig rig;
        DirListBox list(*rig.drives);
        list.setPath("d: [whatever]");
        QCOMPARE(list.path(), std::string("D:\\"));
        list.setPath("c:");
        QCOMPARE(list.path(), std::string("C:\\cwd"));
    }

    void dirListRefusesMissingFoldersAndDrivesThatAreNotReady() {
        FormTestRig rig;
        DirListBox list(*rig.drives);
        list.setPath("C:\\cwd");
        QSignalSpy changes(&list, &DirListBox::changed);
        QCOMPARE(raisedError([&] { list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
        QCOMPARE(raisedError([&] { list.setPath("x:"); }), ErrorNumber::DeviceUnavailable);
        QCOMPARE(raisedError([&] { list.setPath("X:\\UT"); }), ErrorNumber::DeviceUnavailable);
        QCOMPARE(list.path(), std::string("C:\\cwd"));
        QCOMPARE(entryTexts(list), QStringList({"C:\\", "cwd"}));
        QCOMPARE(changes.count(), 0);
    }

    void dirListRaisesChangeOnlyWhenItMoves() {
        FormTestRig rig;
        rig.makeFolder("C:\\cwd\\Sub");
        DirListBox list(*rig.drives);
        QSignalSpy changes(&list, &DirListBox::changed);
        list.setPath("C:\\cwd");
        list.setPath("c:\\CWD");
        QCOMPARE(changes.count(), 1);

        // A single click only highlights; a double click or Enter opens.
        QListWidgetItem* sub = list.findItems("Sub", Qt::MatchExactly).at(0);
        const QRect place = list.visualItemRect(sub);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(list.path(), std::string("C:\\cwd"));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(list.path(), std::string("C:\\cwd\\Sub"));
        list.setCurrentRow(0);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), std::string("C:\\"));
        QCOMPARE(changes.count(), 3);
    }

    void dirListReportsAFolderThatWentAwayInsteadOfThrowing() {
        FormTestRig rig;
        rig.makeFolder("C:\\cwd\\Sub");
        DirListBox list(*rig.drives);
        list.setPath("C:\\cwd");
        QSignalSpy failures(&list, &DirListBox::openFailed);
        std::filesystem::remove(rig.host("C:\\cwd\\Sub"));
        list.setCurrentItem(list.findItems("Sub", Qt::MatchExactly).at(0));
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.at(0).at(0).toString(), QString("Path not found"));
        QCOMPARE(list.path(), std::string("C:\\cwd"));
    }

    void driveListNamesEachDriveAndAcceptsABareLetter() {
        FormTestRig rig;
        DriveListBox list(*rig.drives);
        QCOMPARE(list.count(), 3);
        QVERIFY(list.drive().starts_with("c: ["));
        QSignalSpy changes(&list, &DriveListBox::changed);
        list.setDrive("d");
        QVERIFY(list.drive().starts_with("d: ["));
        list.setDrive("D:\\Mods");
        list.setDrive(list.drive());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(raisedError([&] { list.setDrive("q"); }), ErrorNumber::DeviceUnavailable);
        QVERIFY(list.drive().starts_with("d: ["));
        list.showDriveOf("C:\\UT");
        QVERIFY(list.drive().starts_with("c: ["));
        QCOMPARE(changes.count(), 1);
    }

    void fileListShowsMatchingFilesInAnyCaseInNameOrder() {
        FormTestRig rig;
        for (const char* file :
             {"C:\\Mods\\b.umod", "C:\\Mods\\A.UMOD", "C:\\Mods\\c.Umod", "C:\\Mods\\.hidden.umod",
              "C:\\Mods\\notes.txt", "C:\\Mods\\x.umod.bak"}) {
            rig.makeFile(file);
        }
        rig.makeFolder("C:\\Mods\\folder.umod");
        FileListBox list(*rig.drives);
        list.setPattern("*.umod");
        list.setPath("c:\\mods");
        QCOMPARE(entryTexts(list), QStringList({"A.UMOD", "b.umod", "c.Umod"}));
        QVERIFY(list.fileName().empty());
        list.setCurrentRow(1);
        QCOMPARE(list.fileName(), std::string("b.umod"));
        QCOMPARE(raisedError([&] { list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
        QCOMPARE(list.count(), 3);
    }
};

QTEST_MAIN(ListControlsTest)
#include "ListControlsTest.moc"
