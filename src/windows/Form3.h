#pragma once

#include "windows/ClassicForm.h"

namespace kestrix {

class Forms;

// The uninstaller window: lists the packages the game's manifest records and
// removes the one the user picks or types.
class Form3 : public ClassicForm {
public:
    Form3(Module1& module, ViewFactory& factory, Forms& forms);

    static const FormLayout& layout();

    ComboBoxView& Combo1;

protected:
    void load() override;

private:
    void command2Click();
    void clearChoice();

    Forms& m_forms;
};

}  // namespace kestrix
