#pragma once

class QWidget;

namespace kestrix {

// The top-left of a window centred on a screen, all in twips: half the free
// width and height, in single precision and without rounding, as the layouts
// were drawn for.
struct TwipsPoint {
    float left;
    float top;
};
TwipsPoint centeredPosition(float screenWidth, float screenHeight, float windowWidth,
                            float windowHeight);

// Moves a window, by its outer size, to the centre of the screen it is on.
void CenterOnScreen(QWidget& window);

}  // namespace kestrix
