#include "ui/qt/QtProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {

// Starts real processes: a stand-in setup tool, a shell script in a temporary
// game folder that is drive C:, reports what it was given in a file.
class QtProcessLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        const std::string root = QFile::encodeName(m_folder->path()).toStdString();
        m_drives = std::make_unique<DriveTable>(std::vector<Drive>{{'C', root}}, root);
    }

    void cleanup() {
        m_drives.reset();
        m_folder.reset();
    }

    void startsSetupToolDetachedWithWindowsArguments() {
        const QString report = m_folder->filePath("arguments.txt");
        // Written under another name and then renamed, so that the poll below
        // never reads a half-written report.
        writeSetupTool(
            "#!/bin/sh\n"
            "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done > '" +
            report +
            ".part'\n"
            "mv '" +
            report + ".part' '" + report + "'\n");

        QtProcessLauncher(*m_drives).start(
            {R"(C:\Unreal Tournament\System\setup.exe)", R"(install "C:\My Mods\Foo.umod")"});

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(report), 10000);
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList expected{"install", R"(C:\My Mods\Foo.umod)", ""};
        QCOMPARE(QString::fromLocal8Bit(file.readAll()).split('\n'), expected);
    }

    void missingSetupToolRaisesFileNotFound() {
        try {
            QtProcessLauncher(*m_drives).start(
                {R"(C:\Games\System\setup.exe)", R"(install "C:\Foo.umod")"});
            QFAIL("a missing setup tool was started");
        } catch (const PlatformError& error) {
            QCOMPARE(error.number(), ErrorNumber::FileNotFound);
        }
    }

    // The file is there but the host cannot run it: the user must see why,
    // not be sent to look for the game directory.
    void failedStartRaisesQtsReason() {
        writeSetupTool("#!/nonexistent/kestrix-shell\n");
        try {
            QtProcessLauncher(*m_drives).start(
                {R"(C:\Unreal Tournament\System\setup.exe)", "install"});
            QFAIL("a setup tool with a missing interpreter was started");
        } catch (const PlatformError& error) {
            QVERIFY(error.number() != ErrorNumber::FileNotFound);
            QVERIFY2(error.description().find("Setup.exe") != std::string::npos,
                     error.description().c_str());
        }
    }

private:
    void writeSetupTool(const QString& script) {
        QVERIFY(QDir(m_folder->path()).mkpath("Unreal Tournament/System"));
        QFile tool(m_folder->filePath("Unreal Tournament/System/Setup.exe"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write(script.toLocal8Bit());
        tool.close();
        QVERIFY(tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner));
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<DriveTable> m_drives;
};

}  // namespace kestrix

QTEST_GUILESS_MAIN(kestrix::QtProcessLauncherTest)
#include "QtProcessLauncherTest.moc"
