#pragma once

#include "windows/ClassicForm.h"

namespace kestrix {

struct InstallPlan;

// Shows what installing a package will do before anything is written: its
// name and version, its files and the settings edits it asks for. Install
// (or Enter) goes ahead; Cancel, Escape or the frame's close do not.
class InstallPreview : public ClassicForm {
public:
    InstallPreview(Module1& module, ViewFactory& factory, const InstallPlan& plan);

    static FormLayout layout(const InstallPlan& plan);

    // Shows the window modally; whether the user chose Install.
    bool confirm(ClassicForm& owner);

protected:
    void load() override;

private:
    bool m_confirmed = false;
};

}  // namespace kestrix
