#pragma once

namespace kestrix {

class ClassicForm;
class Module1;
class ViewFactory;

// Install in a game folder that has no setup tool to start: KESTRIX installs
// the chosen package itself, after showing what it will do, and says what it
// did. Every refusal and failure is a message box; nothing is left half done.
class SelfInstall {
public:
    SelfInstall(Module1& module, ViewFactory& factory);

    // Whether a package is chosen and the game folder is one where KESTRIX
    // installs it itself.
    bool applies() const;

    // Installs PackageDir\PackageFile into GameDir, asking first.
    void run(ClassicForm& owner);

private:
    Module1& m_module;
    ViewFactory& m_factory;
};

}  // namespace kestrix
