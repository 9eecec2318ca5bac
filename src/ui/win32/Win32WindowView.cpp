#include "ui/win32/Win32WindowView.h"

#include <utility>

#include "platform/win/Utf16.h"
#include "ui/win32/DialogFont.h"
#include "ui/win32/Win32MessageLoop.h"

namespace kestrix {
namespace {

constexpr const wchar_t* FormClass = L"KestrixForm";
// A fixed frame with a caption, the system menu and minimize, as the classic
// fixed-single forms had; the controls' parent for dialog navigation.
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Every window gets a taskbar button, even the ones shown while their hidden
// owner has none.
constexpr DWORD FormExtendedStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int TwipsPerInch = 1440;

RECT outerRect(const FormLayout& layout, const ScreenScale& scale) {
    RECT rect{0, 0, scale.xPixels(layout.clientWidth), scale.yPixels(layout.clientHeight)};
    AdjustWindowRectEx(&rect, FormStyle, FALSE, FormExtendedStyle);
    return RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Win32WindowView::Win32WindowView(const FormLayout& layout, const ScreenScale& scale,
                                 const DialogFont& font)
    : m_scale(scale) {
    static const bool registered = (registerClass(FormClass), true);
    (void)registered;
    create(FormExtendedStyle, FormClass, Utf16::fromCodePage(layout.title), FormStyle,
           outerRect(layout, scale), nullptr, 0);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), FALSE);
}

bool Win32WindowView::isFormWindow(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpW(name, FormClass) == 0;
}

void Win32WindowView::show() {
    ShowWindow(handle(), SW_SHOWNORMAL);
    SetForegroundWindow(handle());
    // The control first in the tab order has the keyboard, as in a dialog.
    if (HWND first = GetNextDlgTabItem(handle(), nullptr, FALSE)) {
        SetFocus(first);
    }
    // Drawn now, controls and all, rather than at the message loop's next
    // turn: the first window may yet wait for the rest of its folder list.
    RedrawWindow(handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32WindowView::showModal(WindowView& owner) {
    HWND ownerWindow = static_cast<Win32WindowView&>(owner).handle();
    // The owner's windows stay above it, and it takes no input meanwhile.
    SetWindowLongPtrW(handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    const bool ownerWasDisabled = EnableWindow(ownerWindow, FALSE) != FALSE;
    show();
    Win32MessageLoop::runWhile([this] { return IsWindowVisible(handle()) != FALSE; });
    if (!ownerWasDisabled) {
        EnableWindow(ownerWindow, TRUE);
    }
}

void Win32WindowView::hide() {
    ShowWindow(handle(), SW_HIDE);
    // The modal loop waiting for this looks again at its next message.
    PostMessageW(handle(), WM_NULL, 0, 0);
}

int Win32WindowView::twipsX(int pixels) const {
    return MulDiv(pixels, TwipsPerInch, m_scale.xPixels(TwipsPerInch));
}

int Win32WindowView::twipsY(int pixels) const {
    return MulDiv(pixels, TwipsPerInch, m_scale.yPixels(TwipsPerInch));
}

TwipsSize Win32WindowView::outerSize() const {
    RECT rect{};
    GetWindowRect(handle(), &rect);
    return TwipsSize{twipsX(rect.right - rect.left), twipsY(rect.bottom - rect.top)};
}

TwipsSize Win32WindowView::screenSize() const {
    return TwipsSize{twipsX(GetSystemMetrics(SM_CXSCREEN)), twipsY(GetSystemMetrics(SM_CYSCREEN))};
}

void Win32WindowView::moveTo(float left, float top) {
    // Cut, not rounded, to whole pixels.
    const auto x = static_cast<int>(left * static_cast<float>(m_scale.xPixels(TwipsPerInch)) /
                                    static_cast<float>(TwipsPerInch));
    const auto y = static_cast<int>(top * static_cast<float>(m_scale.yPixels(TwipsPerInch)) /
                                    static_cast<float>(TwipsPerInch));
    SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32WindowView::rescale(int dotsPerInchX, int dotsPerInchY, const RECT& suggested) {
    m_scale = ScreenScale(dotsPerInchX, dotsPerInchY);
    auto font = std::make_unique<DialogFont>(m_scale);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font->handle()), FALSE);
    for (const std::unique_ptr<Win32Control>& control : m_controls) {
        control->rescale(m_scale, *font);
    }
    // The controls draw in the new font before the old one goes.
    m_movedFont = std::move(font);
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32WindowView::onFrameClose(std::function<void()> handler) {
    m_frameClose = std::move(handler);
}

LRESULT Win32WindowView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            auto* control = reinterpret_cast<HWND>(lParam);
            if (control != nullptr) {
                if (Win32Window* view = of(control)) {
                    view->notified(HIWORD(wParam));
                }
            } else if (LOWORD(wParam) == IDOK && m_enterClicks != nullptr) {
                m_enterClicks->notified(BN_CLICKED);
            } else if (LOWORD(wParam) == IDOK) {
                // Enter, passed on by dialog navigation; Escape (IDCANCEL)
                // closes nothing unless the layout names a button for it.
                if (auto* focused = dynamic_cast<Win32Control*>(of(GetFocus()))) {
                    focused->enterPressed();
                }
            } else if (LOWORD(wParam) == IDCANCEL && m_escapeClicks != nullptr) {
                m_escapeClicks->notified(BN_CLICKED);
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (Win32Window* view = of(item.hwndItem)) {
                view->drawItem(item);
            }
            return TRUE;
        }
        case WM_DPICHANGED:
            // Per-monitor awareness: the window was moved to a screen of
            // another density, and Windows suggests its new frame.
            rescale(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // The frame's close hides; the window lives on for the next show.
            hide();
            if (m_frameClose) {
                m_frameClose();
            }
            return 0;
        default:
            return Win32Window::handleMessage(message, wParam, lParam);
    }
}

}  // namespace kestrix
