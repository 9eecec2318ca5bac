#include "windows/Form3.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "windows/Form1.h"
#include "windows/Forms.h"

namespace kestrix {

Form3::Form3(Module1& module, Forms& forms)
    : ClassicForm(module, "Kestrix Uninstaller", 5835, 4275), m_forms(forms) {
    Label1 = place(new QLabel("Select the umod to uninstall."), "Label1", 840, 120, 3975, 255);
    Combo1 = place(new QComboBox, "Combo1", 840, 720, 4095, 315);
    Command1 = place(new QPushButton("Exit"), "Command1", 840, 3480, 1575, 495);
    Command2 = place(new QPushButton("Uninstall"), "Command2", 3360, 3480, 1575, 495);
    // The user may type a name as well as pick one; typing adds nothing to the list.
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCurrentText(QString());
    setTabOrderOf({Combo1, Command1, Command2});

    connect(Command1, &QPushButton::clicked, this,
            [this] { handle([this] { this->module().EndProgram(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { handle([this] { command2Click(); }); });
}

void Form3::load() {
    CenterOnScreen(*this);
    AppState& state = module().state();
    if (module().storedGameDir().empty()) {
        hideForm();
        m_forms.form1().showModal();
        return;
    }
    state.SavedGameDir = module().storedGameDir();
    // A window closed by its frame loads anew: the list must not grow.
    Combo1->clear();
    // A game folder without a readable manifest is a mistake the user can
    // mend from here: say what is wrong and open with an empty list.
    try {
        for (const std::string& name :
             listPackages(state.SavedGameDir, module().services().drives)) {
            Combo1->addItem(QString::fromStdString(name));
        }
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
    // Nothing is chosen until the user chooses: Uninstall must never remove
    // a package that merely came first in the list.
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
}

void Form3::command2Click() {
    AppState& state = module().state();
    state.ChosenPackage = Combo1->currentText().toStdString();
    PackageRemoval removal(module().services().drives, module().services().files);
    RemovalResult outcome;
    // A manifest that went away or cannot be written since the window opened
    // is reported like the other refusals; the window stays for another try.
    try {
        outcome = removal.remove(state.SavedGameDir, state.ChosenPackage);
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
        return;
    }
    if (outcome.status == RemovalStatus::Removed) {
        // Removed packages leave the list, every entry of that name.
        for (int index = Combo1->count() - 1; index >= 0; --index) {
            if (Combo1->itemText(index).toStdString() == state.ChosenPackage) {
                Combo1->removeItem(index);
            }
        }
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(QString());
    }
    module().services().messageBox.show(outcome.message);
}

}  // namespace kestrix
