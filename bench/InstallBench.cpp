// Installing a package, from reading it to the manifest replaced, against
// copying the same files with cp, measured in the same run. The counter
// x_cp is the install's time over cp's; the install also checks the package,
// writes every file durably under a temporary name and renames it, and
// rewrites a realistic manifest, which cp does not.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "RealisticManifest.h"
#include "package/PackageInstallation.h"
#include "package/UmodWriter.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const std::string packageManifest =
    "[Setup]\r\nProduct=BenchMod\r\nVersion=100\r\nRequires=UnrealTournament\r\n"
    "Group=BenchGroup\r\n\r\n[BenchGroup]\r\n";

// C:\UT with a manifest of 2,000 lines, the package at C:\Bench.umod and its
// files laid out in C:\staging for cp.
class Game {
public:
    Game(std::size_t files, std::size_t kilobytes) {
        writeBytes(root() / "UT/System/Manifest.ini", m_manifest.text());
        std::vector<UmodWriter::File> packed = {{"System\\Manifest.ini", packageManifest, 3}};
        for (std::size_t i = 0; i < files; ++i) {
            const std::string folder = i % 2 == 0 ? "Maps" : "Textures";
            const std::string name = "Bench" + std::to_string(i) + (i % 2 == 0 ? ".unr" : ".utx");
            const std::string bytes(kilobytes * 1000, static_cast<char>('a' + i % 26));
            packed.push_back({folder + "\\" + name, bytes});
            writeBytes(root() / "staging" / folder / name, bytes);
            m_installed.push_back(root() / "UT" / folder / name);
        }
        writeBytes(root() / "Bench.umod", UmodWriter::write(packed));
    }
    fs::path root() const { return m_folder.path(); }
    const DriveTable& drives() const { return m_drives; }

    void restore() {
        for (const fs::path& file : m_installed) {
            fs::remove(file);
        }
        fs::remove_all(root() / "copy");
        writeBytes(root() / "UT/System/Manifest.ini", m_manifest.text());
        fs::remove(root() / "UT/System/manifest.bak");
    }

private:
    TempFolder m_folder;
    DriveTable m_drives{{Drive{'C', m_folder.path()}}, m_folder.path()};
    RealisticManifest m_manifest = RealisticManifest::withLines(2000);
    std::vector<fs::path> m_installed;
};

template <typename Operation>
double secondsOf(Operation operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The install and cp take turns in every iteration, so that the ratio
// compares runs made under the same load of the machine and its disk.
void BM_InstallPackage(benchmark::State& state) {
    Game game(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    HostFileOperations files;
    const std::string copy = "cp -R '" + (game.root() / "staging").string() + "' '" +
                             (game.root() / "copy").string() + "'";
    double installTime = 0;
    double copyTime = 0;
    for (auto _ : state) {
        const double time = secondsOf([&] {
            PackageInstallation installation(game.drives(), files);
            installation.install(*installation.prepare("C:\\UT", "C:\\Bench.umod", {}));
        });
        installTime += time;
        state.SetIterationTime(time);
        copyTime += secondsOf([&] {
            if (std::system(copy.c_str()) != 0) {
                throw std::runtime_error("cp failed");
            }
        });
        game.restore();
    }
    state.counters["x_cp"] = installTime / copyTime;
}

BENCHMARK(BM_InstallPackage)
    ->ArgNames({"files", "KB"})
    ->Args({3, 100})
    ->Args({40, 500})
    ->Args({200, 20})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kestrix

BENCHMARK_MAIN();
