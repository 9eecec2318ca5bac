#include "ui/win32/ScreenScale.h"

#include "ui/win32/Win32Handles.h"

namespace kestrix {
namespace {
constexpr int TwipsPerInch = 1440;
}

ScreenScale ScreenScale::ofScreen() {
    const ScreenContext screen(GetDC(nullptr));
    return ScreenScale(GetDeviceCaps(screen.get(), LOGPIXELSX),
                       GetDeviceCaps(screen.get(), LOGPIXELSY));
}

ScreenScale::ScreenScale(int dotsPerInchX, int dotsPerInchY)
    : m_dotsPerInchX(dotsPerInchX), m_dotsPerInchY(dotsPerInchY) {}

// Rounded down, as the layouts were laid out: at 96 dots per inch every
// control edge falls on a whole pixel, 15 twips each.
int ScreenScale::xPixels(int twips) const {
    return twips * m_dotsPerInchX / TwipsPerInch;
}

int ScreenScale::yPixels(int twips) const {
    return twips * m_dotsPerInchY / TwipsPerInch;
}

RECT ScreenScale::pixels(int left, int top, int width, int height) const {
    const int x = xPixels(left);
    const int y = yPixels(top);
    return RECT{x, y, x + xPixels(width), y + yPixels(height)};
}

}  // namespace kestrix
