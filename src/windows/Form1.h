#pragma once

#include "windows/ClassicForm.h"

class QLabel;
class QPushButton;

namespace kestrix {

class DirListBox;
class DriveListBox;
class Forms;

// The main window: the user chooses the game's directory, then goes on to
// install or uninstall a package.
class Form1 : public ClassicForm {
    Q_OBJECT

public:
    Form1(Module1& module, Forms& forms);

    QLabel* Label1;
    DirListBox* Dir1;
    DriveListBox* Drive1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

protected:
    void load() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void drive1Change();
    void goOn(ClassicForm& next);

    Forms& m_forms;
};

}  // namespace kestrix
