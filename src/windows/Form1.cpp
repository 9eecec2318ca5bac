#include "windows/Form1.h"

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "views/FormLayout.h"
#include "windows/Form2.h"
#include "windows/Form3.h"
#include "windows/Forms.h"

namespace kestrix {

const FormLayout& Form1::layout() {
    static const FormLayout table{
        "KESTRIX",
        5730,
        4500,
        {
            {"Label1", ControlKind::Label, "Select your main UT Directory", 1080, 120, 3735, 255, 1,
             "Dir1"},
            {"Dir1", ControlKind::DirList, "", 960, 480, 3735, 2340, 0},
            {"Drive1", ControlKind::DriveList, "", 960, 3000, 2535, 315, 4},
            {"Command2", ControlKind::Button, "Exit", 600, 3720, 1215, 495, 3},
            {"Command3", ControlKind::Button, "Uninstall Umod", 2160, 3720, 1215, 495, 5},
            {"Command1", ControlKind::Button, "Install Umod", 3720, 3720, 1215, 495, 2},
        }};
    return table;
}

Form1::Form1(Module1& module, ViewFactory& factory, Forms& forms)
    : ClassicForm(module, factory, layout()),
      Dir1(module.services().drives, control<DirListView>("Dir1")),
      Drive1(module.services().drives, control<DriveListView>("Drive1")),
      m_forms(forms) {
    Drive1.onChange([this] { handle([this] { drive1Change(); }); });
    reportOpenFailures(Dir1);
    onClick("Command1", [this] { goOn(m_forms.form2()); });
    onClick("Command3", [this] { goOn(m_forms.form3()); });
    onClick("Command2", [this] { this->module().EndProgram(); });
}

void Form1::load() {
    CenterOnScreen(window());
    AppState& state = module().state();
    Dir1.setPath(module().services().drives.processCurrentDirectory());
    const std::string stored = module().stored(RememberedFolder::Game);
    if (!stored.empty()) {
        state.SavedGameDir = stored;
        state.SavedGameDrive = stored.substr(0, 1);
        // A remembered folder that has gone, or lies on a drive that is not
        // ready, must not lock the user out: the window opens as on a first
        // start, and the value stays stored until the user goes on.
        try {
            Dir1.setPath(state.SavedGameDir);
        } catch (const PlatformError&) {
        }
    }
    Drive1.showDriveOf(Dir1.path());
}

void Form1::finishShowing() {
    Dir1.finishListing();
}

void Form1::drive1Change() {
    AppState& state = module().state();
    try {
        state.CurrentDrive = Drive1.drive();
        Dir1.setPath(state.CurrentDrive);
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
}

void Form1::goOn(ClassicForm& next) {
    AppState& state = module().state();
    state.CurrentDrive = Drive1.drive();
    state.GameDir = Dir1.path();
    hideForm();
    module().store(RememberedFolder::Game, state.GameDir);
    next.showModal(*this);
    // Closing the next window by its frame brings the user back here rather
    // than leaving a program running with no window.
    if (!module().programEnding()) {
        window().show();
    }
}

void Form1::frameClosed() {
    module().EndProgram();
}

}  // namespace kestrix
