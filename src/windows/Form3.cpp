#include "windows/Form3.h"

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "platform/DriveTable.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "views/FormLayout.h"
#include "windows/Form1.h"
#include "windows/Forms.h"
#include "windows/RemovalMessage.h"

namespace kestrix {

const FormLayout& Form3::layout() {
    static const FormLayout table{
        "Kestrix Uninstaller",
        5835,
        4275,
        {
            {"Label1", ControlKind::Label, "Select the umod to uninstall.", 840, 120, 3975, 255, 1,
             "Combo1"},
            {"Combo1", ControlKind::ComboBox, "", 840, 720, 4095, 315, 0},
            {"Command1", ControlKind::Button, "Exit", 840, 3480, 1575, 495, 2},
            {"Command2", ControlKind::Button, "Uninstall", 3360, 3480, 1575, 495, 3},
        }};
    return table;
}

Form3::Form3(Module1& module, ViewFactory& factory, Forms& forms)
    : ClassicForm(module, factory, layout()),
      Combo1(control<ComboBoxView>("Combo1")),
      m_forms(forms) {
    onClick("Command1", [this] { this->module().EndProgram(); });
    onClick("Command2", [this] { command2Click(); });
}

void Form3::load() {
    CenterOnScreen(window());
    AppState& state = module().state();
    if (module().stored(RememberedFolder::Game).empty()) {
        hideForm();
        m_forms.form1().showModal(*this);
        return;
    }
    state.SavedGameDir = module().stored(RememberedFolder::Game);
    // A window closed by its frame loads anew: the list must not grow.
    Combo1.clear();
    // A game folder without a readable manifest is a mistake the user can
    // mend from here: say what is wrong and open with an empty list.
    try {
        for (const std::string& name :
             listPackages(state.SavedGameDir, module().services().drives)) {
            Combo1.addItem(name);
        }
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
    clearChoice();
}

void Form3::command2Click() {
    AppState& state = module().state();
    state.ChosenPackage = Combo1.editText();
    PackageRemoval removal(module().services().drives, module().services().files);
    RemovalOutcome outcome;
    // A manifest that went away or cannot be written since the window opened
    // is reported like the other refusals; the window stays for another try.
    try {
        outcome = removal.remove(state.SavedGameDir, state.ChosenPackage);
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
        return;
    }
    if (outcome.packageRemoved()) {
        // Removed packages leave the list, every entry of that name.
        for (int index = Combo1.count() - 1; index >= 0; --index) {
            if (Combo1.itemText(index) == state.ChosenPackage) {
                Combo1.removeItem(index);
            }
        }
        clearChoice();
    }
    module().services().messageBox.show(
        RemovalMessage::of(state.ChosenPackage, outcome, module().services().drives.codePage()));
}

// Nothing is chosen until the user chooses: Uninstall must never remove a
// package that merely came first in the list.
void Form3::clearChoice() {
    Combo1.setEditText("");
}

}  // namespace kestrix
