#include "ui/qt/QtProcessLauncher.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/posix/LaunchPlan.h"
#include "platform/posix/WatchedStart.h"
#include "ui/qt/SystemText.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace kestrix {

namespace {

// Long enough for Wine to start, find that it cannot run the program and
// say so; short enough that a working start is not held up noticeably.
constexpr std::chrono::milliseconds FailureWatch{3000};
constexpr int WinepathWaitMilliseconds = 15000;

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

// Wine starts a program named by its host path under its full Windows path,
// in quotes when that has blanks, and a tool that reads its command after the
// first blank then takes a piece of the folder for it. The short path, which
// Wine keeps as given, has no blanks; only Wine knows it.
std::optional<std::string> shortWinePath(const LaunchPlan& plan) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WINEPREFIX", hostPathText(plan.winePrefix()));
    QProcess winepath;
    winepath.setProcessEnvironment(environment);
    winepath.setStandardErrorFile(QProcess::nullDevice());
    winepath.start(hostPathText(plan.executable()),
                   {"winepath", "-s", QString::fromUtf8(plan.wineProgram())});
    if (!winepath.waitForFinished(WinepathWaitMilliseconds) ||
        winepath.exitStatus() != QProcess::NormalExit || winepath.exitCode() != 0) {
        winepath.kill();
        winepath.waitForFinished();
        return std::nullopt;
    }
    const QString found = QString::fromUtf8(winepath.readAllStandardOutput()).trimmed();
    if (found.isEmpty() || found.contains(' ') || found.contains('\t') || found.contains('/')) {
        return std::nullopt;
    }
    return found.toStdString();
}

bool hasBlank(const std::string& text) {
    return text.find_first_of(" \t") != std::string::npos;
}

}  // namespace

QtProcessLauncher::QtProcessLauncher(const DriveTable& drives) : m_drives(drives) {}

void QtProcessLauncher::start(const ProgramStart& program) {
    // Quoted, so that the program is the whole path and never a shorter name
    // that ends at one of its blanks.
    const LaunchPlan plan('"' + program.program + "\" " + program.arguments, m_drives, findOnPath);

    WatchedStart::Program host{
        plan.executable(), plan.executableArguments(), plan.hostProgram().parent_path(), {}};
    if (!plan.winePrefix().empty()) {
        // Wine would otherwise run a game installed in a prefix of its own in
        // ~/.wine, making that prefix first if there is none.
        host.environment.push_back("WINEPREFIX=" + plan.winePrefix().string());
        if (hasBlank(plan.wineProgram())) {
            host.arguments.front() = shortWinePath(plan).value_or(host.arguments.front());
        }
    }
    std::optional<WatchedStart::EarlyEnd> ended;
    try {
        ended = WatchedStart::start(host, FailureWatch);
    } catch (const PlatformError& error) {
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            describeFromQt(hostPathText(plan.hostProgram())) +
                                " could not be started: " + error.description());
    }
    if (ended) {
        throw PlatformError(
            ErrorNumber::PathFileAccessError,
            program.program + " ended at once with a failure (status " +
                std::to_string(ended->status) + ")" +
                (ended->said.empty() ? std::string(".") : ", saying:\n" + ended->said));
    }
}

}  // namespace kestrix
