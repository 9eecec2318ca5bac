#include "platform/posix/LaunchPlan.h"

#include "platform/CodePage.h"
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
ProgramKind programKind(const std::filesystem::path& program, const std::string& windowsText) {
    std::ifstream file(program, std::ios::binary);
    if (!file) {
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            "The program " + windowsText + " could not be read.");
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
    m_codePage = &drives.codePage();

    // The messages name the program by its Windows text, which is in the code
    // page as they are and is what the user chose the game directory by.
    switch (programKind(m_hostProgram, found.program)) {
        case ProgramKind::Windows: {
            const std::optional<std::filesystem::path> wine = findExecutable("wine");
            if (!wine) {
                // Not FileNotFound: the game directory is right, and the user
                // must not be sent to look for it.
                throw PlatformError(
                    ErrorNumber::PathFileAccessError,
                    "Wine is needed to start the game's setup tool, " + found.program +
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
                                found.program +
                                    " is not a program that can be started: it is neither a "
                                    "Windows program nor an executable or script of this system.");
    }
}

std::vector<std::string> LaunchPlan::executableArguments() const {
    std::vector<std::string> hostArguments;
    if (m_throughWine) {
        hostArguments.push_back(m_hostProgram.string());
    }
    // The host hands a program its arguments in UTF-8; Wine gives them to the
    // setup tool in the code page again, the same one, so "R\xE4ume.umod"
    // arrives as it was written.
    for (const std::string& argument : m_arguments) {
        hostArguments.push_back(m_codePage->toUtf8(argument));
    }
    return hostArguments;
}

}  // namespace kestrix
