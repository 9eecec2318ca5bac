#include "ui/win32/DialogFont.h"

#include "platform/PlatformError.h"

namespace kestrix {
namespace {
constexpr int PointSize = 8;
constexpr int PointsPerInch = 72;
}  // namespace

DialogFont::DialogFont(const ScreenScale& scale) {
    LOGFONTW font{};
    // Negative: the height of the characters, not of the cell.
    font.lfHeight = -MulDiv(PointSize, scale.dotsPerInchY(), PointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    m_font.reset(CreateFontIndirectW(&font));
    if (!m_font) {
        throw PlatformError(7, "Out of memory");
    }
}

}  // namespace kestrix
