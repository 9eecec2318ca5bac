#include "ui/win32/ScreenScale.h"

#include <gtest/gtest.h>

#include "ui/win32/UniqueHandle.h"

namespace kestrix {
namespace {

TEST(ScreenScaleTest, TwipsBecomePixelsAtTheScreensDensity) {
    struct Case {
        int dpiX, dpiY, left, top, width, height;
        RECT expected;
    };
    const Case cases[] = {
        // Form1's Uninstall Umod button: 81 x 33 pixels at normal size.
        {96, 96, 2160, 3720, 1215, 495, {144, 248, 225, 281}},
        {120, 120, 2160, 3720, 1215, 495, {180, 310, 281, 351}},
        {144, 144, 960, 480, 3735, 2340, {96, 48, 469, 282}},
        // Different densities across and down.
        {96, 192, 1440, 1440, 1440, 1440, {96, 192, 192, 384}},
    };
    for (const Case& c : cases) {
        const RECT r = ScreenScale(c.dpiX, c.dpiY).pixels(c.left, c.top, c.width, c.height);
        EXPECT_EQ(r.left, c.expected.left) << c.dpiX;
        EXPECT_EQ(r.top, c.expected.top) << c.dpiX;
        EXPECT_EQ(r.right, c.expected.right) << c.dpiX;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.dpiX;
    }
}

int g_closed = 0;
void countClose(int handle) {
    g_closed += handle;
}
using Counted = UniqueHandle<int, countClose>;

// Every handle is given back exactly once, whoever holds it last.
TEST(UniqueHandleTest, GivesEachHandleBackOnce) {
    g_closed = 0;
    {
        Counted a(1);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        Counted c(10);
        c = std::move(b);  // gives back 10
        EXPECT_EQ(g_closed, 10);
        EXPECT_EQ(c.get(), 1);
        Counted d(100);
        EXPECT_EQ(d.release(), 100);  // not given back
        Counted e;                    // holds nothing
    }
    EXPECT_EQ(g_closed, 11);
}

}  // namespace
}  // namespace kestrix
