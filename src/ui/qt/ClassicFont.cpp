#include "ui/qt/ClassicFont.h"

namespace kestrix {

QFont classicFont() {
#ifdef Q_OS_WIN
    QFont font("MS Shell Dlg 2");
#else
    QFont font("Liberation Sans");
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

}  // namespace kestrix
