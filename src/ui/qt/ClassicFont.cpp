#include "ui/qt/ClassicFont.h"

namespace kestrix {

QFont classicFont() {
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

}  // namespace kestrix
