#include "platform/posix/LaunchPlan.h"

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsCommandLine.h"
#include "platform/WindowsPath.h"
#include "platform/posix/WineLoader.h"
#include "platform/posix/WinePrefix.h"

#include <cstdint>
#include <fstream>

namespace kestrix {

namespace {

enum class ProgramKind { Windows, Windows32, Native, Unknown };

std::uint32_t littleEndian(const char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

// The machine that a Windows program's PE header names: a program for the
// 386 needs a Wine that runs 32-bit programs. An old MZ-only program, or a
// header that cannot be read, is left for Wine to judge.
ProgramKind windowsKind(std::ifstream& file) {
    constexpr std::uint32_t MachineI386 = 0x14C;
    char offset[4] = {};
    file.seekg(0x3C);
    file.read(offset, sizeof offset);
    char header[6] = {};
    file.seekg(littleEndian(offset, 4));
    file.read(header, sizeof header);
    const bool isPe = file && std::string_view(header, 4) == std::string_view("PE\0\0", 4);
    return isPe && littleEndian(header + 4, 2) == MachineI386 ? ProgramKind::Windows32
                                                              : ProgramKind::Windows;
}

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
        return windowsKind(file);
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
    const ProgramKind kind = programKind(m_hostProgram, found.program);
    switch (kind) {
        case ProgramKind::Windows:
        case ProgramKind::Windows32: {
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
            if (kind == ProgramKind::Windows32 && !WineLoader::runs32BitPrograms(*wine)) {
                throw PlatformError(
                    ErrorNumber::PathFileAccessError,
                    "The game's setup tool, " + found.program +
                        ", is a 32-bit Windows program, and the Wine installed here cannot run "
                        "32-bit programs: its 32-bit part, the package wine32:i386, is missing. "
                        "Add it as root with these commands, then try again:\n"
                        "dpkg --add-architecture i386\napt update\napt install wine32:i386");
            }
            m_executable = *wine;
            m_throughWine = true;
            usePrefixOfGame(drives, found.program);
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

void LaunchPlan::usePrefixOfGame(const DriveTable& drives, const std::string& program) {
    const std::optional<std::filesystem::path> own = WinePrefix::containing(m_hostProgram);
    m_winePrefix = own.value_or(WinePrefix::standard());
    m_wineProgram = m_codePage->toUtf8(program);
    if (!own) {
        return;
    }
    // The tool sees the drives of its own prefix: "C:" is the game's drive_c
    // there, whatever it is in the prefix KESTRIX chose the game folder by.
    const DriveTable prefixDrives = DriveTable::fromWinePrefix(*own);
    try {
        m_wineProgram = m_codePage->toUtf8(prefixDrives.toWindows(m_hostProgram));
    } catch (const PlatformError&) {
        // Then the tool is named by its host path alone.
    }
    for (std::string& argument : m_arguments) {
        if (!WindowsPath::driveLetter(argument)) {
            continue;
        }
        try {
            argument = prefixDrives.toWindows(drives.toHost(argument));
        } catch (const PlatformError&) {
            // Left as it was: the tool says itself what it cannot find.
        }
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
