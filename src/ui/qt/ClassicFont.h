#pragma once

#include <QFont>

namespace kestrix {

// The face every window and message box is drawn in. The layouts were drawn
// for an 8-point sans-serif at 96 dots per inch; Liberation Sans has Arial's
// metrics, so every text fits its control as drawn. Windows brings its own
// dialog face.
QFont classicFont();

}  // namespace kestrix
