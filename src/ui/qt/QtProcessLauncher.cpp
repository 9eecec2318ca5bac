#include "ui/qt/QtProcessLauncher.h"

#include "platform/ErrorNumber.h"
#include "platform/LaunchPlan.h"
#include "platform/PlatformError.h"
#include "platform/posix/WatchedStart.h"
#include "ui/qt/SystemText.h"

#include <QFile>
#include <QStandardPaths>

namespace kestrix {

namespace {

// Long enough for Wine to start, find that it cannot run the program and
// say so; short enough that a working start is not held up noticeably.
constexpr std::chrono::milliseconds FailureWatch{3000};

std::optional<std::filesystem::path> findOnPath(std::string_view name) {
    const QString found =
        QStandardPaths::findExecutable(QString::fromLocal8Bit(name.data(), name.size()));
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(found).toStdString());
}

std::string hostPathText(const std::filesystem::path& path) {
    return describeFromQt(QFile::decodeName(path.native().c_str()));
}

}  // namespace

QtProcessLauncher::QtProcessLauncher(const DriveTable& drives) : m_drives(drives) {}

void QtProcessLauncher::start(const ProgramStart& program) {
    // Quoted, so that the program is the whole path and never a shorter name
    // that ends at one of its blanks.
    const LaunchPlan plan('"' + program.program + "\" " + program.arguments, m_drives, findOnPath);

    WatchedStart::Program host{
        plan.executable(), plan.executableArguments(), plan.hostProgram().parent_path(), {}};
    // Wine would otherwise run a game installed in a prefix of its own in
    // ~/.wine, making that prefix first if there is none.
    if (!plan.winePrefix().empty()) {
        host.environment.push_back("WINEPREFIX=" + plan.winePrefix().string());
    }
    std::optional<WatchedStart::EarlyEnd> ended;
    try {
        ended = WatchedStart::start(host, FailureWatch);
    } catch (const PlatformError& error) {
        throw PlatformError(
            ErrorNumber::PathFileAccessError,
            hostPathText(plan.hostProgram()) + " could not be started: " + error.description());
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
