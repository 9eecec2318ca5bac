#include "ui/win32/DialogFont.h"

#include "platform/PlatformError.h"

namespace kestrix {
namespace {
constexpr int PointSize = 8;
constexpr int PointsPerInch = 72;

int CALLBACK foundTrueType(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
    if ((type & TRUETYPE_FONTTYPE) != 0) {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
    }
    return 1;
}

// The outline face of MS Sans Serif, which every Windows since 2000 has and
// which scales to any density; the bitmap face is drawn from fixed sizes and
// stays small and jagged at 125 % and above. Wine has only the bitmap face:
// there the windows look as they always did.
const wchar_t* faceName() {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
    bool found = false;
    const ScreenContext screen(GetDC(nullptr));
    EnumFontFamiliesExW(screen.get(), &wanted, foundTrueType, reinterpret_cast<LPARAM>(&found), 0);
    return found ? L"Microsoft Sans Serif" : L"MS Sans Serif";
}

}  // namespace

DialogFont::DialogFont(const ScreenScale& scale) {
    static const wchar_t* const face = faceName();
    LOGFONTW font{};
    // Negative: the height of the characters, not of the cell.
    font.lfHeight = -MulDiv(PointSize, scale.dotsPerInchY(), PointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    m_font.reset(CreateFontIndirectW(&font));
    if (!m_font) {
        throw PlatformError(7, "Out of memory");
    }
}

}  // namespace kestrix
