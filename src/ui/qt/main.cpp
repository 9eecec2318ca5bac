#include <QApplication>
#include <QFile>

#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformServices.h"
#include "platform/posix/HelperClipboardKeeper.h"
#include "ui/qt/QtClipboard.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtProcessLauncher.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/QtViewFactory.h"
#include "ui/qt/QtWindowSystem.h"
#include "windows/Form1.h"
#include "windows/Forms.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("KESTRIX");
    QApplication::setApplicationVersion("2.01");
    // Closing the main window ends the program; closing another brings the
    // main window back. Neither is left to Qt's last-window rule.
    QApplication::setQuitOnLastWindowClosed(false);

    const kestrix::DriveTable drives = kestrix::DriveTable::fromSystem();
    kestrix::QtSettingsStore settings;
    kestrix::QtMessageBox messageBox;
    // X11 forgets clipboard text when its program ends: kestrix-clipboard,
    // beside the program, keeps serving it.
    kestrix::HelperClipboardKeeper clipboardKeeper(
        QFile::encodeName(QApplication::applicationDirPath() + "/kestrix-clipboard").toStdString());
    kestrix::QtClipboard clipboard(&clipboardKeeper);
    kestrix::QtProcessLauncher processLauncher(drives);
    kestrix::HostFileOperations files;
    kestrix::QtWindowSystem windowSystem;
    kestrix::Module1 module({settings, messageBox, clipboard, processLauncher, drives, files},
                            windowSystem);
    kestrix::QtViewFactory views;
    kestrix::Forms forms(module, views);
    module.runHandler([&forms] { forms.form1().showFirst(); });
    if (module.programEnding()) {
        return 1;
    }
    return QApplication::exec();
}
