#pragma once

#include "windows/ClassicForm.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kestrix {

class Forms;

// The uninstaller window: lists the packages the game's manifest records and
// removes the one the user picks or types.
class Form3 : public ClassicForm {
    Q_OBJECT

public:
    Form3(Module1& module, Forms& forms);

    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void load() override;

private:
    void command2Click();

    Forms& m_forms;
};

}  // namespace kestrix
