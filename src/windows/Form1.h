#pragma once

#include "windows/ClassicForm.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"

namespace kestrix {

class Forms;

// The main window: the user chooses the game's directory, then goes on to
// install or uninstall a package.
class Form1 : public ClassicForm {
public:
    Form1(Module1& module, ViewFactory& factory, Forms& forms);

    static const FormLayout& layout();

    DirListBox Dir1;
    DriveListBox Drive1;

protected:
    void load() override;
    void finishShowing() override;
    void frameClosed() override;

private:
    void drive1Change();
    void goOn(ClassicForm& next);

    Forms& m_forms;
};

}  // namespace kestrix
