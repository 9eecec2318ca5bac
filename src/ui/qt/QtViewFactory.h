#pragma once

#include "views/ViewFactory.h"

namespace kestrix {

// Builds each window on Qt widgets, placed by their twips.
class QtViewFactory : public ViewFactory {
public:
    FormViews create(const FormLayout& layout) override;
};

}  // namespace kestrix
