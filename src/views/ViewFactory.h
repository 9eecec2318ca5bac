#pragma once

#include "views/FormLayout.h"
#include "views/FormViews.h"

namespace kestrix {

// What each toolkit provides to build the windows: given a window's layout
// table, the window, hidden, with every control placed, named, titled and in
// its tab order, and the views of the window and its controls.
class ViewFactory {
public:
    virtual ~ViewFactory() = default;
    virtual FormViews create(const FormLayout& layout) = 0;
};

}  // namespace kestrix
