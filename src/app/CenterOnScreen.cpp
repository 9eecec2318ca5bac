#include "app/CenterOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/Twips.h"

namespace kestrix {

TwipsPoint centeredPosition(float screenWidth, float screenHeight, float windowWidth,
                            float windowHeight) {
    return {(screenWidth - windowWidth) / 2.0f, (screenHeight - windowHeight) / 2.0f};
}

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const QRect outer = window.frameGeometry();
    constexpr float perPixel = Twips::PerPixel;
    const TwipsPoint origin = centeredPosition(area.width() * perPixel, area.height() * perPixel,
                                               outer.width() * perPixel, outer.height() * perPixel);
    // A window sits on whole pixels: the twips are cut, not rounded, to them.
    window.move(area.left() + static_cast<int>(origin.left / perPixel),
                area.top() + static_cast<int>(origin.top / perPixel));
}

}  // namespace kestrix
