// Opening a folder of 20,000 sub-folders in the directory list, and a package
// folder of 20,000 ".umod" files in the file list, each drawn once, against
// what Qt needs to fill a plain list widget with the same 20,000 names and
// draw it, measured in the same run. The counters:
//   x_plain_list     the opening as a multiple of filling the plain list with
//                    names already in memory
//   x_read_plain_list  the same against reading the folder's names with
//                    std::filesystem and filling the plain list: the least
//                    any program that shows the folder must do (goal: 1.5)
//   ms_over_empty    the opening less the opening of an empty folder (goal: 100)
// Each is the median over the repetitions.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/DriveTable.h"
#include "ui/qt/QtDirListView.h"
#include "ui/qt/QtFileListView.h"
#include "windows/DirListBox.h"
#include "windows/FileListBox.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int EntryCount = 20000;

// Folders made once for the whole run: C:\big with the entries, C:\empty and
// C:\also-empty to open in between.
class Fixture {
public:
    Fixture() : m_root(fs::temp_directory_path() / ("kestrix-bench-" + std::to_string(getpid()))) {
        fs::create_directories(m_root / "empty");
        fs::create_directories(m_root / "also-empty");
        for (int index = 0; index < EntryCount; ++index) {
            const std::string name = "Folder " + std::to_string(index);
            fs::create_directories(m_root / "folders" / name);
            m_names << QString::fromStdString(name);
        }
        fs::create_directories(m_root / "umods");
        for (int index = 0; index < EntryCount; ++index) {
            std::FILE* file = std::fopen(
                (m_root / "umods" / ("Mod " + std::to_string(index) + ".umod")).c_str(), "w");
            std::fclose(file);
        }
    }
    ~Fixture() { fs::remove_all(m_root); }

    DriveTable drives() const { return DriveTable({{'C', m_root}}, m_root); }
    fs::path folder(const char* name) const { return m_root / name; }
    const QStringList& names() const { return m_names; }

private:
    fs::path m_root;
    QStringList m_names;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

double millisecondsOf(const std::function<void()>& work) {
    const auto started = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Fills a shown list widget with the names and draws it: the baseline.
double plainList(QListWidget& list) {
    list.clear();
    return millisecondsOf([&list] {
        list.addItems(fixture().names());
        list.repaint();
    });
}

// Reads the folder's names and fills the plain list with them.
double readPlainList(QListWidget& list, const fs::path& folder) {
    list.clear();
    return millisecondsOf([&list, &folder] {
        QStringList names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.append(QString::fromStdString(entry.path().filename().string()));
        }
        list.addItems(names);
        list.repaint();
    });
}

// Opens the large folder against an empty one and against the plain list,
// alternately, and reports the medians. The list is one of the program's
// own list controls on its Qt view; folder is the large folder's name on C:.
template <typename List, typename View>
void openLargeFolder(benchmark::State& state, const char* folder, const char* pattern) {
    const DriveTable drives = fixture().drives();
    View view;
    List list(drives, view);
    if constexpr (std::is_same_v<List, FileListBox>) {
        list.setPattern(pattern);
    }
    QListWidget plain;
    view.resize(250, 150);
    plain.resize(250, 150);
    view.show();
    plain.show();
    const std::string large = std::string("C:\\") + folder;
    std::vector<double> opened, empty, baseline, readBaseline;
    for (auto _ : state) {
        list.setPath("C:\\empty");
        opened.push_back(millisecondsOf([&] {
            list.setPath(large);
            view.repaint();
        }));
        empty.push_back(millisecondsOf([&] {
            list.setPath("C:\\also-empty");
            view.repaint();
        }));
        baseline.push_back(plainList(plain));
        readBaseline.push_back(readPlainList(plain, fixture().folder(folder)));
    }
    state.counters["x_plain_list"] = median(opened) / median(baseline);
    state.counters["x_read_plain_list"] = median(opened) / median(readBaseline);
    state.counters["ms_over_empty"] = median(opened) - median(empty);
    state.counters["ms_opened"] = median(opened);
}

void DirectoryList(benchmark::State& state) {
    openLargeFolder<DirListBox, QtDirListView>(state, "folders", nullptr);
}
BENCHMARK(DirectoryList)->Unit(benchmark::kMillisecond)->Iterations(9);

void FileList(benchmark::State& state) {
    openLargeFolder<FileListBox, QtFileListView>(state, "umods", "*.umod");
}
BENCHMARK(FileList)->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace
}  // namespace kestrix

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
