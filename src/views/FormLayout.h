#pragma once

#include <string>
#include <vector>

namespace kestrix {

enum class ControlKind { Label, Button, DriveList, DirList, FileList, ComboBox };

// One control as the window's drawing places it, all lengths in twips. Keyboard
// focus moves through the controls in ascending tab index; labels hold an index
// but take no focus. A label may name the control it stands for (labelFor):
// screen readers then speak the label's text as that control's name, since
// lists and combo boxes show no name of their own.
struct ControlLayout {
    std::string name;
    ControlKind kind;
    std::string text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    std::string labelFor = {};
};

// A window as drawn: its title, the size of its client area in twips, and its
// controls. Each toolkit builds the window from this table alone, so that both
// front ends show the same windows.
struct FormLayout {
    std::string title;
    int clientWidth;
    int clientHeight;
    std::vector<ControlLayout> controls;
    // The buttons that Enter and Escape click, by name; none in the three
    // classic windows, where the keys click nothing the user has not chosen.
    std::string enterClicks = {};
    std::string escapeClicks = {};
};

}  // namespace kestrix
