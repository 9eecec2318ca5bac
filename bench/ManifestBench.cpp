// Times removing a package against the floor of any crash-safe replace of the
// same manifest, measured in the same run: write the new manifest and flush
// it, delete the package's files, rename the new manifest into place and
// flush the folder. The counter x_floor is the removal's time over the
// floor's; the goal is at most 1.3. Sizes are those of real manifests (a
// fresh install's 0.4 KB up to 175 KB), and the largest real package has
// hundreds of files. Every file the manifest lists lies on disk, as in a
// real game folder, since the removal looks each one up.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "RealisticManifest.h"
#include "manifest/PackageRemoval.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/WindowsPath.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

void writeFile(const fs::path& path, const std::string& bytes, bool flush) {
    check(::unlink(path.c_str()) == 0 || errno == ENOENT, "unlink");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    check(fd >= 0, "open");
    check(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
    check(!flush || ::fsync(fd) == 0, "fsync");
    check(::close(fd) == 0, "close");
}

void flushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    check(fd >= 0 && ::fsync(fd) == 0 && ::close(fd) == 0, "folder flush");
}

fs::path hostPath(const fs::path& game, std::string file) {
    std::replace(file.begin(), file.end(), '\\', '/');
    return game / file;
}

// The smallest manifest a game has: a fresh install's [Setup] and one package.
const std::string freshInstall =
    "[Setup]\r\nProduct=UnrealTournament\r\nLanguage=int\r\nExe=System\\UnrealTournament.exe\r\n"
    "SrcPath=D:\\\r\nMasterProduct=UnrealTournament\r\nGroup=SetupGroup\r\nGroup=BonusPack1\r\n"
    "\r\n"
    "[BonusPack1]\r\nCaption=Bonus Pack 1 (maps, skins)\r\nVersion=101\r\n"
    "File=System\\BonusPack1.u\r\nFile=System\\BonusPack1.int\r\nFile=Maps\\DM-BonusPack1.unr\r\n"
    "Requires=UnrealTournament\r\n\r\n";

// A game at C:\UT in a temporary folder holding every file its manifest lists.
class Game {
public:
    Game(std::size_t kilobytes, std::size_t packageFiles)
        : m_folder(makeFolder()), m_drives({Drive{'C', m_folder}}, m_folder) {
        if (kilobytes == 0) {
            m_manifest = freshInstall;
            m_packageFiles = {"System\\BonusPack1.u", "System\\BonusPack1.int",
                              "Maps\\DM-BonusPack1.unr"};
            m_package = "BonusPack1";
        } else {
            // Base game files fill the manifest up to the size asked for.
            std::size_t baseFiles = 2;
            for (;;) {
                const RealisticManifest manifest(baseFiles, 4, packageFiles);
                if (manifest.text().size() >= kilobytes * 1000) {
                    m_manifest = manifest.text();
                    m_packageFiles = manifest.productFiles(2);
                    break;
                }
                baseFiles += 50;
            }
            m_package = RealisticManifest::productName(2);
        }
        m_newManifest = m_manifest;
        const std::size_t section = m_newManifest.find("[" + m_package + "]");
        m_newManifest.erase(section, m_newManifest.find("\r\n\r\n", section) + 4 - section);

        // Each listed file once, spelled as the first entry for it spells it.
        std::set<std::string> made;
        std::size_t at = 0;
        while ((at = m_manifest.find("\nFile=", at)) != std::string::npos) {
            at += 6;
            const std::string file = m_manifest.substr(at, m_manifest.find('\r', at) - at);
            if (made.insert(WindowsPath::foldCase(file)).second) {
                fs::create_directories(hostPath(game(), file).parent_path());
                writeFile(hostPath(game(), file), file, false);
            }
        }
        writeFile(manifestIni(), m_manifest, false);
        ::sync();
    }
    ~Game() { fs::remove_all(m_folder); }

    // Puts back what a removal took.
    void restore() {
        writeFile(manifestIni(), m_manifest, false);
        for (const std::string& file : m_packageFiles) {
            writeFile(hostPath(game(), file), file, false);
        }
        fs::remove(system() / "manifest.bak");
        ::sync();
    }

    void removeByTheFloor() {
        const fs::path newManifest = system() / "manifest.new";
        writeFile(newManifest, m_newManifest, true);
        for (const std::string& file : m_packageFiles) {
            check(::unlink(hostPath(game(), file).c_str()) == 0, "unlink");
        }
        check(::rename(newManifest.c_str(), manifestIni().c_str()) == 0, "rename");
        flushFolder(system());
    }

    fs::path game() const { return m_folder / "UT"; }
    fs::path system() const { return game() / "System"; }
    fs::path manifestIni() const { return system() / "Manifest.ini"; }
    const DriveTable& drives() const { return m_drives; }
    const std::string& package() const { return m_package; }
    std::size_t bytes() const { return m_manifest.size(); }

private:
    static fs::path makeFolder() {
        std::string pattern = (fs::temp_directory_path() / "kestrix-bench-XXXXXX").string();
        check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
        return pattern;
    }

    fs::path m_folder;
    DriveTable m_drives;
    std::string m_manifest;
    std::string m_newManifest;
    std::vector<std::string> m_packageFiles;
    std::string m_package;
};

Game& gameOf(std::size_t kilobytes, std::size_t packageFiles) {
    static std::map<std::pair<std::size_t, std::size_t>, std::unique_ptr<Game>> games;
    std::unique_ptr<Game>& game = games[{kilobytes, packageFiles}];
    if (!game) {
        game = std::make_unique<Game>(kilobytes, packageFiles);
    }
    return *game;
}

template <typename Operation>
double secondsOf(Operation operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The removal and the floor take turns in every iteration, so that the ratio
// compares runs made under the same load of the machine and its disk.
void BM_RemovePackage(benchmark::State& state) {
    Game& game =
        gameOf(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    HostFileOperations files;
    double removalTime = 0;
    double floorTime = 0;
    for (auto _ : state) {
        const double time = secondsOf([&] {
            const RemovalOutcome result =
                PackageRemoval(game.drives(), files).remove("C:\\UT", game.package());
            check(result.status == RemovalStatus::Removed, "removal");
        });
        removalTime += time;
        state.SetIterationTime(time);
        game.restore();
        floorTime += secondsOf([&] { game.removeByTheFloor(); });
        game.restore();
    }
    state.counters["x_floor"] = removalTime / floorTime;
    state.counters["manifest_KB"] = static_cast<double>(game.bytes()) / 1000;
}

BENCHMARK(BM_RemovePackage)
    ->ArgNames({"KB", "files"})
    ->Args({0, 3})
    ->Args({45, 20})
    ->Args({150, 20})
    ->Args({175, 20})
    ->Args({175, 400})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kestrix

BENCHMARK_MAIN();
