#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

class CodePage;
class DriveTable;

// How the program that a Windows command line names is started on a host that
// is not Windows: Windows programs through Wine, the host's own programs
// directly, both with the arguments that Windows would have given them. It
// starts nothing, so that the whole decision can be checked without a process.
class LaunchPlan {
public:
    // The host path of an executable found on PATH, or nothing.
    using ExecutableFinder =
        std::function<std::optional<std::filesystem::path>(std::string_view name)>;

    // Raises FileNotFound when the program, or a folder on the way to it, is
    // missing or on a drive that is not ready; PathFileAccessError when the
    // file cannot be started on this host.
    LaunchPlan(std::string_view commandLine, const DriveTable& drives,
               const ExecutableFinder& findExecutable);

    // The program file the command line names.
    const std::filesystem::path& hostProgram() const { return m_hostProgram; }
    // Its arguments as Windows texts; Wine reads Windows paths itself.
    const std::vector<std::string>& arguments() const { return m_arguments; }

    // What the host runs (wine, or the program itself) and what it is given
    // after its own name: host texts, the program's host path as it is on
    // disk and the arguments in UTF-8.
    const std::filesystem::path& executable() const { return m_executable; }
    std::vector<std::string> executableArguments() const;

private:
    std::filesystem::path m_hostProgram;
    std::vector<std::string> m_arguments;
    std::filesystem::path m_executable;
    const CodePage* m_codePage = nullptr;
    bool m_throughWine = false;
};

}  // namespace kestrix
