#pragma once

#include "windows/ClassicForm.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"
#include "windows/FileListBox.h"

namespace kestrix {

// The installer window: the user picks a package file, and Install hands it
// to the game's own setup tool and ends the program.
class Form2 : public ClassicForm {
public:
    Form2(Module1& module, ViewFactory& factory);

    static const FormLayout& layout();

    // Puts the remembered game directory on the clipboard, for pasting into
    // the setup tool's folder field, and starts the setup tool with the chosen
    // package. Traps every error it meets and always returns.
    void RunMe();

    DirListBox Dir2;
    FileListBox File1;
    DriveListBox Drive2;

protected:
    void load() override;

private:
    void dir2Change();
    void drive2Change();
    void command1Click();

    ViewFactory& m_factory;
};

}  // namespace kestrix
