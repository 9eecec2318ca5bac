#include "ui/qt/QtProcessLauncher.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/posix/LaunchPlan.h"
#include "ui/qt/SystemText.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace kestrix {

namespace {

std::optional<std::filesystem::path> findOnPath(std::string_view name) {
    const QString found =
        QStandardPaths::findExecutable(QString::fromLocal8Bit(name.data(), name.size()));
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(found).toStdString());
}

QString hostPathText(const std::filesystem::path& path) {
    return QFile::decodeName(path.native().c_str());
}

}  // namespace

QtProcessLauncher::QtProcessLauncher(const DriveTable& drives) : m_drives(drives) {}

void QtProcessLauncher::start(const std::string& commandLine) {
    const LaunchPlan plan(commandLine, m_drives, findOnPath);

    QStringList arguments;
    for (const std::string& argument : plan.executableArguments()) {
        arguments << QString::fromUtf8(argument);
    }

    QProcess process;
    process.setProgram(hostPathText(plan.executable()));
    process.setArguments(arguments);
    // No working directory is set: the tool inherits KESTRIX's, as it would
    // on Windows when the start names none.
    if (!process.startDetached()) {
        // Qt's reason alone ("execv: ...") does not say what failed to start.
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            describeFromQt(hostPathText(plan.hostProgram())) +
                                " could not be started: " + describeFromQt(process.errorString()));
    }
}

}  // namespace kestrix
