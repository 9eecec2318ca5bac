// Times removing a package from, and listing the packages of, manifests of
// 2,000, 200,000 and 2,000,000 lines, each as a ratio to copying the same
// manifest in the same run: the counters x_durable_copy (a copy flushed to
// disk, as the removal flushes its new manifest) and x_plain_copy (a copy
// left in the page cache), medians over the repetitions.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "manifest/RealisticManifest.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

// Into a new file, as the removal writes: truncating one that has data would
// make ext4 flush it on close.
void writeAndFlush(const fs::path& path, const std::string& bytes, bool flush) {
    check(::unlink(path.c_str()) == 0 || errno == ENOENT, "unlink");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    check(fd >= 0, "open");
    check(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
    check(!flush || ::fsync(fd) == 0, "fsync");
    check(::close(fd) == 0, "close");
}

std::string readWhole(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    check(fd >= 0, "open");
    struct stat status {};
    check(::fstat(fd, &status) == 0, "fstat");
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    check(::read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "read");
    check(::close(fd) == 0, "close");
    return bytes;
}

// A game at C:\UT in a temporary folder, with a realistic manifest of about
// the given number of lines and the files of the product to remove.
class Game {
public:
    explicit Game(std::size_t lines)
        : m_manifest(RealisticManifest::withLines(lines)),
          m_product(m_manifest.products() / 2 + 1),
          m_folder(makeFolder()),
          m_drives({Drive{'C', m_folder}}, m_folder) {
        fs::create_directories(system());
        restore();
        ::sync();
    }
    ~Game() { fs::remove_all(m_folder); }

    // Puts back what a removal took.
    void restore() {
        writeAndFlush(manifestIni(), m_manifest.text(), false);
        for (std::string file : m_manifest.productFiles(m_product)) {
            std::replace(file.begin(), file.end(), '\\', '/');
            fs::create_directories((game() / file).parent_path());
            writeAndFlush(game() / file, file, false);
        }
    }

    fs::path game() const { return m_folder / "UT"; }
    fs::path system() const { return game() / "System"; }
    fs::path manifestIni() const { return system() / "manifest.ini"; }
    const DriveTable& drives() const { return m_drives; }
    std::string product() const { return RealisticManifest::productName(m_product); }

private:
    static fs::path makeFolder() {
        std::string pattern = (fs::temp_directory_path() / "kestrix-bench-XXXXXX").string();
        check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
        return pattern;
    }

    RealisticManifest m_manifest;
    std::size_t m_product;
    fs::path m_folder;
    DriveTable m_drives;
};

Game& gameOf(std::size_t lines) {
    static std::map<std::size_t, std::unique_ptr<Game>> games;
    std::unique_ptr<Game>& game = games[lines];
    if (!game) {
        game = std::make_unique<Game>(lines);
    }
    return *game;
}

template <typename Operation>
double secondsOf(Operation operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the operation and both copies in turn in every iteration, so that the
// ratios compare runs made under the same load of the machine and its disk.
// Everything is flushed between them, so that no flush pays for data another
// step left behind. The operation's own time is the benchmark's time.
template <typename Operation, typename Reset>
void againstCopies(benchmark::State& state, Operation operation, Reset reset) {
    Game& game = gameOf(static_cast<std::size_t>(state.range(0)));
    const fs::path copy = game.system() / "copy.ini";
    double operationTime = 0;
    double durableCopyTime = 0;
    double plainCopyTime = 0;
    for (auto _ : state) {
        const double time = secondsOf([&] { operation(game); });
        operationTime += time;
        state.SetIterationTime(time);
        ::sync();
        durableCopyTime +=
            secondsOf([&] { writeAndFlush(copy, readWhole(game.manifestIni()), true); });
        plainCopyTime +=
            secondsOf([&] { writeAndFlush(copy, readWhole(game.manifestIni()), false); });
        reset(game);
        ::sync();
    }
    fs::remove(copy);
    state.counters["x_durable_copy"] = operationTime / durableCopyTime;
    state.counters["x_plain_copy"] = operationTime / plainCopyTime;
}

void BM_RemovePackage(benchmark::State& state) {
    HostFileOperations files;
    againstCopies(
        state,
        [&files](Game& game) {
            const RemovalResult result =
                PackageRemoval(game.drives(), files).remove("C:\\UT", game.product());
            check(result.status == RemovalStatus::Removed, "removal");
        },
        [](Game& game) { game.restore(); });
}

void BM_ListPackages(benchmark::State& state) {
    againstCopies(
        state, [](Game& game) { benchmark::DoNotOptimize(listPackages("C:\\UT", game.drives())); },
        [](Game&) {});
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    for (const std::int64_t lines : {2'000, 200'000, 2'000'000}) {
        benchmark->Arg(lines);
    }
    benchmark->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_RemovePackage)->Apply(sizes);
BENCHMARK(BM_ListPackages)->Apply(sizes);

}  // namespace
}  // namespace kestrix

int main(int argc, char** argv) {
    // A first touch of a page costs about 10 us on the virtual machines this
    // runs on, and varies with their load; the manifests' tens of megabytes
    // would then measure the page faults rather than the work. Kept in the
    // heap once freed, the same warm pages serve every benchmark alike.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
