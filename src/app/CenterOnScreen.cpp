#include "app/CenterOnScreen.h"

#include "views/WindowView.h"

namespace kestrix {

void CenterOnScreen(WindowView& window) {
    const TwipsSize screen = window.screenSize();
    const TwipsSize outer = window.outerSize();
    window.moveTo(static_cast<float>(screen.width - outer.width) / 2.0f,
                  static_cast<float>(screen.height - outer.height) / 2.0f);
}

}  // namespace kestrix
