#include <QApplication>

#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformServices.h"
#include "ui/qt/QtClipboard.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/QtViewFactory.h"
#include "ui/qt/QtWindowSystem.h"
#include "windows/Form1.h"
#include "windows/Forms.h"

#ifdef _WIN32
#include "platform/win/WinProcessLauncher.h"
#else
#include "platform/posix/HelperClipboardKeeper.h"
#include "ui/qt/QtProcessLauncher.h"

#include <QFile>
#endif

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
#ifdef _WIN32
    // Windows keeps clipboard text after its program has ended.
    kestrix::QtClipboard clipboard;
#else
    // X11 does not: kestrix-clipboard, beside the program, keeps serving it.
    kestrix::HelperClipboardKeeper clipboardKeeper(
        QFile::encodeName(QApplication::applicationDirPath() + "/kestrix-clipboard").toStdString());
    kestrix::QtClipboard clipboard(&clipboardKeeper);
#endif
#ifdef _WIN32
    // Windows finds the setup tool in the command line by its own rules.
    kestrix::WinProcessLauncher processLauncher;
#else
    kestrix::QtProcessLauncher processLauncher(drives);
#endif
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
