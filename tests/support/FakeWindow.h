#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "support/FakeButton.h"
#include "support/FakeComboBox.h"
#include "support/FakeDirList.h"
#include "support/FakeDriveList.h"
#include "support/FakeFileList.h"
#include "views/FormLayout.h"
#include "views/WindowView.h"

namespace kestrix {

class FakeDesktop;

// A window that only records: whether it is shown, modally and by whom, where
// it was moved. Its modal show runs the desktop's next step at once, then
// closes the window by its frame unless the step hid it.
class FakeWindow : public WindowView {
public:
    FakeWindow(FakeDesktop& desktop, const FormLayout& layout);

    void show() override {
        shown = true;
        modal = false;
    }
    void showModal(WindowView& owner) override;
    void hide() override { shown = false; }
    TwipsSize outerSize() const override { return outer; }
    TwipsSize screenSize() const override { return screen; }
    void moveTo(float left, float top) override { movedTo = {left, top}; }
    void onFrameClose(std::function<void()> handler) override {
        m_frameClosed = std::move(handler);
    }

    // The user closes the window by its frame.
    void closeByFrame();

    bool shown = false;
    bool modal = false;
    WindowView* owner = nullptr;
    TwipsSize outer;
    TwipsSize screen{19200, 14400};
    std::optional<std::pair<float, float>> movedTo;
    std::map<std::string, FakeButton> buttons;
    std::map<std::string, FakeDriveList> driveLists;
    std::map<std::string, FakeDirList> dirLists;
    std::map<std::string, FakeFileList> fileLists;
    std::map<std::string, FakeComboBox> comboBoxes;

private:
    FakeDesktop& m_desktop;
    std::function<void()> m_frameClosed;
};

}  // namespace kestrix
