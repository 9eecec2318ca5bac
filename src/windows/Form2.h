#pragma once

#include "windows/ClassicForm.h"

class QLabel;
class QPushButton;

namespace kestrix {

class DirListBox;
class DriveListBox;
class FileListBox;

// The installer window: the user picks a package file, and Install hands it
// to the game's own setup tool and ends the program.
class Form2 : public ClassicForm {
    Q_OBJECT

public:
    explicit Form2(Module1& module);

    // Puts the remembered game directory on the clipboard, for pasting into
    // the setup tool's folder field, and starts the setup tool with the chosen
    // package. Traps every error it meets and always returns.
    void RunMe();

    QLabel* Label1;
    DirListBox* Dir2;
    FileListBox* File1;
    DriveListBox* Drive2;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void load() override;

private:
    void dir2Change();
    void drive2Change();
    void command1Click();
};

}  // namespace kestrix
