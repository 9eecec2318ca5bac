#include "platform/LaunchPlan.h"

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsCommandLine.h"

#include <fstream>

namespace kestrix {

namespace {

enum class ProgramKind { Windows, Native, Unknown };

// The first bytes decide, as they do for the host's own loader: the extension
// says nothing, since the game's setup tool may have been replaced by a script.
ProgramKind programKind(const std::filesystem::path& program) {
    std::ifstream file(program, std::ios::binary);
    if (!file) {
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            "The program " + program.string() + " could not be read.");
    }
    char magic[4] = {};
    file.read(magic, sizeof magic);
    const std::string_view head(magic, static_cast<std::size_t>(file.gcount()));
    if (head.starts_with("MZ")) {
        return ProgramKind::Windows;
    }
    if (head.starts_with("\177ELF") || head.starts_with("#!")) {
        return ProgramKind::Native;
    }
    return ProgramKind::Unknown;
}

// A drive that is not ready hides the program as surely as a missing folder
// does, and either way the user has to check the game directory.
bool isExistingFile(const DriveTable& drives, std::string_view windowsPath) {
    try {
        std::error_code error;
        return std::filesystem::is_regular_file(drives.toHost(windowsPath), error);
    } catch (const PlatformError&) {
        return false;
    }
}

}  // namespace

LaunchPlan::LaunchPlan(std::string_view commandLine, const DriveTable& drives,
                       const ExecutableFinder& findExecutable) {
    const WindowsCommandLine::FoundProgram found = WindowsCommandLine::findProgram(
        commandLine, [&drives](std::string_view path) { return isExistingFile(drives, path); });
    m_hostProgram = drives.toHost(found.program);
    m_arguments = WindowsCommandLine::splitArguments(found.rest);

    switch (programKind(m_hostProgram)) {
        case ProgramKind::Windows: {
            const std::optional<std::filesystem::path> wine = findExecutable("wine");
            if (!wine) {
                // Not FileNotFound: the game directory is right, and the user
                // must not be sent to look for it.
                throw PlatformError(
                    ErrorNumber::PathFileAccessError,
                    "Wine is needed to start the game's setup tool, " + m_hostProgram.string() +
                        ", which is a Windows program, but Wine was not found. On Debian, "
                        "install it with \"sudo apt install wine\" and try again.");
            }
            m_executable = *wine;
            m_throughWine = true;
            break;
        }
        case ProgramKind::Native:
            m_executable = m_hostProgram;
            break;
        case ProgramKind::Unknown:
            throw PlatformError(ErrorNumber::PathFileAccessError,
                                m_hostProgram.string() +
                                    " is not a program that can be started: it is neither a "
                                    "Windows program nor an executable or script of this system.");
    }
}

std::vector<std::string> LaunchPlan::executableArguments() const {
    if (!m_throughWine) {
        return m_arguments;
    }
    std::vector<std::string> wineArguments{m_hostProgram.string()};
    wineArguments.insert(wineArguments.end(), m_arguments.begin(), m_arguments.end());
    return wineArguments;
}

}  // namespace kestrix
