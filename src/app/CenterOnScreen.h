#pragma once

namespace kestrix {

class WindowView;

// Moves a window, by its outer size, to the centre of its screen: half the
// free width and height in twips, in single precision and without rounding,
// as the layouts were drawn for. The window keeps its size.
void CenterOnScreen(WindowView& window);

}  // namespace kestrix
