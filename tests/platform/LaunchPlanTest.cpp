#include "platform/posix/LaunchPlan.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const std::string kMz("MZ\x90\0\3\0", 6);
const std::string kElf("\177ELF\2\1\1\0", 8);
const std::string kScript = "#!/bin/sh\nexit 0\n";

// C: and D: are fresh folders; E: is in the table but its folder is missing.
class LaunchPlanTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kestrix-launch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "c");
        fs::create_directories(m_root / "d" / "Mods");
    }

    void TearDown() override { fs::remove_all(m_root); }

    DriveTable drives() const {
        return DriveTable({{'C', m_root / "c"}, {'D', m_root / "d"}, {'E', m_root / "e"}},
                          m_root / "c");
    }

    fs::path writeFile(const fs::path& relative, const std::string& content) const {
        const fs::path path = m_root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    LaunchPlan plan(std::string_view commandLine, bool wineInstalled = true) {
        return LaunchPlan(commandLine, drives(),
                          [this, wineInstalled](std::string_view name) -> std::optional<fs::path> {
                              m_askedFor.emplace_back(name);
                              return wineInstalled ? std::optional(kWine) : std::nullopt;
                          });
    }

    PlatformError planError(std::string_view commandLine, bool wineInstalled = true) {
        try {
            plan(commandLine, wineInstalled);
        } catch (const PlatformError& error) {
            return error;
        }
        ADD_FAILURE() << "no error for " << commandLine;
        return PlatformError(0);
    }

    const fs::path kWine = "/opt/wine/bin/wine";
    fs::path m_root;
    std::vector<std::string> m_askedFor;
};

const std::string_view kSetupLine = R"(C:\UT\System\setup.exe install "D:\Mods\Foo.umod")";

TEST_F(LaunchPlanTest, WindowsProgramStartsThroughWineWithWindowsArguments) {
    const fs::path setup = writeFile("c/UT/System/Setup.exe", kMz);
    const LaunchPlan launch = plan(kSetupLine);
    EXPECT_EQ(launch.hostProgram(), setup);
    EXPECT_EQ(launch.executable(), kWine);
    const std::vector<std::string> expected{setup.string(), "install", R"(D:\Mods\Foo.umod)"};
    EXPECT_EQ(launch.executableArguments(), expected);
    EXPECT_EQ(m_askedFor, std::vector<std::string>{"wine"});
}

class NativeProgramTest : public LaunchPlanTest, public testing::WithParamInterface<std::string> {};

TEST_P(NativeProgramTest, StartsDirectlyWithoutWine) {
    const fs::path setup = writeFile("c/UT/System/Setup.exe", GetParam());
    const LaunchPlan launch = plan(kSetupLine, false);
    EXPECT_EQ(launch.executable(), setup);
    const std::vector<std::string> expected{"install", R"(D:\Mods\Foo.umod)"};
    EXPECT_EQ(launch.executableArguments(), expected);
    EXPECT_EQ(launch.arguments(), expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NativeProgramTest, testing::Values(kElf, kScript));

TEST_F(LaunchPlanTest, WindowsProgramWithoutWineSaysHowToGetIt) {
    writeFile("c/UT/System/Setup.exe", kMz);
    const PlatformError error = planError(kSetupLine, false);
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccessError);
    EXPECT_NE(error.description().find("Wine is needed"), std::string::npos);
    EXPECT_NE(error.description().find("apt install wine"), std::string::npos);
}

class NotAProgramTest : public LaunchPlanTest, public testing::WithParamInterface<std::string> {};

TEST_P(NotAProgramTest, IsRefusedAsNotAProgram) {
    writeFile("c/UT/System/Setup.exe", GetParam());
    const PlatformError error = planError(kSetupLine);
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccessError);
    EXPECT_NE(error.description().find("is not a program that can be started"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Contents, NotAProgramTest,
                         testing::Values(std::string("PK\3\4junk", 8), "", "M", "\177EL"));

class ProgramMissingTest : public LaunchPlanTest,
                           public testing::WithParamInterface<std::string_view> {};

TEST_P(ProgramMissingTest, RaisesFileNotFound) {
    writeFile("c/UT/System/Setup.exe", kMz);
    fs::create_directories(m_root / "c/UT/Folder/setup.exe");
    EXPECT_EQ(planError(GetParam()).number(), ErrorNumber::FileNotFound);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgramMissingTest,
    testing::Values(R"(C:\Games\System\setup.exe install "D:\Mods\Foo.umod")",  // folder
                    R"(C:\UT\setup.exe install "D:\Mods\Foo.umod")",            // file
                    R"(C:\UT\Folder\setup.exe install "D:\Mods\Foo.umod")",     // a folder
                    R"(E:\UT\System\setup.exe install "D:\Mods\Foo.umod")",     // not ready
                    R"(Q:\UT\System\setup.exe install "D:\Mods\Foo.umod")"));   // no drive

TEST_F(LaunchPlanTest, FindsProgramRegardlessOfCase) {
    const fs::path setup = writeFile("c/UT/System/Setup.exe", kScript);
    EXPECT_EQ(plan(R"(c:\ut\system\SETUP install)").hostProgram(), setup);
}

TEST_F(LaunchPlanTest, GameDirAtDriveRootStillFindsProgram) {
    const fs::path setup = writeFile("c/System/Setup.exe", kScript);
    const LaunchPlan launch = plan(R"(C:\\System\setup.exe install "D:\\Foo.umod")");
    EXPECT_EQ(launch.hostProgram(), setup);
    const std::vector<std::string> expected{"install", R"(D:\\Foo.umod)"};
    EXPECT_EQ(launch.arguments(), expected);
}

TEST_F(LaunchPlanTest, GameDirWithBlanksIsFoundAtALaterBlank) {
    const fs::path setup = writeFile("c/Unreal Tournament/System/Setup.exe", kScript);
    const LaunchPlan launch =
        plan(R"(C:\Unreal Tournament\System\setup.exe install "D:\My Mods\Foo.umod")");
    EXPECT_EQ(launch.hostProgram(), setup);
    const std::vector<std::string> expected{"install", R"(D:\My Mods\Foo.umod)"};
    EXPECT_EQ(launch.arguments(), expected);
}

}  // namespace
}  // namespace kestrix
