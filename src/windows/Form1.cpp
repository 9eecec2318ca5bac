#include "windows/Form1.h"

#include <QLabel>
#include <QPushButton>

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "platform/qt/DirListBox.h"
#include "platform/qt/DriveListBox.h"
#include "windows/Form2.h"
#include "windows/Form3.h"
#include "windows/Forms.h"

namespace kestrix {

Form1::Form1(Module1& module, Forms& forms)
    : ClassicForm(module, "KESTRIX", 5730, 4500), m_forms(forms) {
    const DriveTable& drives = module.services().drives;
    Label1 = place(new QLabel("Select your main UT Directory"), "Label1", 1080, 120, 3735, 255);
    Dir1 = place(new DirListBox(drives), "Dir1", 960, 480, 3735, 2340);
    Drive1 = place(new DriveListBox(drives), "Drive1", 960, 3000, 2535, 315);
    Command2 = place(new QPushButton("Exit"), "Command2", 600, 3720, 1215, 495);
    Command3 = place(new QPushButton("Uninstall Umod"), "Command3", 2160, 3720, 1215, 495);
    Command1 = place(new QPushButton("Install Umod"), "Command1", 3720, 3720, 1215, 495);
    setTabOrderOf({Dir1, Command1, Command2, Drive1, Command3});

    connect(Drive1, &DriveListBox::changed, this, [this] { handle([this] { drive1Change(); }); });
    reportOpenFailures(Dir1);
    connect(Command1, &QPushButton::clicked, this,
            [this] { handle([this] { goOn(m_forms.form2()); }); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { handle([this] { goOn(m_forms.form3()); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { handle([this] { this->module().EndProgram(); }); });
}

void Form1::load() {
    CenterOnScreen(*this);
    AppState& state = module().state();
    Dir1->setPath(module().services().drives.processCurrentDirectory());
    const std::string stored = module().storedGameDir();
    if (!stored.empty()) {
        state.SavedGameDir = stored;
        state.SavedGameDrive = stored.substr(0, 1);
        // A remembered folder that has gone, or lies on a drive that is not
        // ready, must not lock the user out: the window opens as on a first
        // start, and the value stays stored until the user goes on.
        try {
            Dir1->setPath(state.SavedGameDir);
        } catch (const PlatformError&) {
        }
    }
    Drive1->showDriveOf(Dir1->path());
}

void Form1::drive1Change() {
    AppState& state = module().state();
    try {
        state.CurrentDrive = Drive1->drive();
        Dir1->setPath(state.CurrentDrive);
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
}

void Form1::goOn(ClassicForm& next) {
    AppState& state = module().state();
    state.CurrentDrive = Drive1->drive();
    state.GameDir = Dir1->path();
    hideForm();
    module().storeGameDir(state.GameDir);
    next.showModal();
    // Closing the next window by its frame brings the user back here rather
    // than leaving a program running with no window.
    if (!module().programEnding()) {
        show();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    ClassicForm::closeEvent(event);
    module().EndProgram();
}

}  // namespace kestrix
