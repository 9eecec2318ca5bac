#include "platform/win/WinError.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {
namespace {

TEST(WinError, DescriptionsAreWindowsOwnWordsWhereNoClassicOneFits) {
    const std::string line = "C:\\UT\\System\\setup.exe install \"C:\\Mods\\Foo.umod\"";
    const std::string started = WinError::startError(ERROR_BAD_EXE_FORMAT, line).description();
    const std::string written = WinError::fileError(ERROR_DISK_FULL, "C:\\UT").description();

    EXPECT_NE(started.find(line), std::string::npos) << started;
    EXPECT_EQ(started.find("%1"), std::string::npos) << started;
    EXPECT_TRUE(written.starts_with(
        PlatformError::standardDescription(ErrorNumber::PathFileAccessError) + " ("))
        << written;
    EXPECT_GT(written.size(),
              PlatformError::standardDescription(ErrorNumber::PathFileAccessError).size() + 4)
        << written;
    for (const std::string& text :
         {started, written, WinError::systemDescription(ERROR_NOT_READY, "")}) {
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
        EXPECT_NE(text.back(), '.') << text;
    }
    EXPECT_EQ(WinError::fileError(ERROR_PATH_NOT_FOUND, "C:\\UT").description(),
              PlatformError::standardDescription(ErrorNumber::PathNotFound));
}

}  // namespace
}  // namespace kestrix
