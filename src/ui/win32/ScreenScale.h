#pragma once

#include "ui/win32/WindowsApi.h"

namespace kestrix {

// Turns the layouts' twips into pixels at the screen's own density, as the
// classic forms did: 1440 twips to the inch, the inch being LOGPIXELSX pixels
// across and LOGPIXELSY down (96 at normal size, 15 twips to the pixel).
class ScreenScale {
public:
    // The density of the screen the program runs on.
    static ScreenScale ofScreen();
    ScreenScale(int dotsPerInchX, int dotsPerInchY);

    int xPixels(int twips) const;
    int yPixels(int twips) const;
    RECT pixels(int left, int top, int width, int height) const;
    int dotsPerInchY() const { return m_dotsPerInchY; }

private:
    int m_dotsPerInchX;
    int m_dotsPerInchY;
};

}  // namespace kestrix
