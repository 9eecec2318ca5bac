#include "ui/qt/QtViewFactory.h"

#include <QLabel>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ui/qt/QtButtonView.h"
#include "ui/qt/QtComboBoxView.h"
#include "ui/qt/QtDirListView.h"
#include "ui/qt/QtDriveListView.h"
#include "ui/qt/QtFileListView.h"
#include "ui/qt/QtFormWindow.h"
#include "ui/qt/SystemText.h"
#include "ui/qt/Twips.h"
#include "views/FormLayout.h"

namespace kestrix {
namespace {

// The widget for one control, registered with its view; labels have none.
template <typename Widget, typename... Arguments>
Widget* withView(FormViews& views, const std::string& name, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    views.add(name, widget);
    return widget;
}

QWidget* createControl(FormViews& views, const ControlLayout& control) {
    switch (control.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(toQt(control.text));
            // A text of several lines reads from the top, as a static
            // control on Windows draws it.
            if (control.text.find('\n') != std::string::npos) {
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            }
            return label;
        }
        case ControlKind::Button:
            return withView<QtButtonView>(views, control.name, toQt(control.text));
        case ControlKind::DriveList:
            return withView<QtDriveListView>(views, control.name);
        case ControlKind::DirList:
            return withView<QtDirListView>(views, control.name);
        case ControlKind::FileList:
            return withView<QtFileListView>(views, control.name);
        case ControlKind::ComboBox:
            return withView<QtComboBoxView>(views, control.name);
    }
    return nullptr;
}

}  // namespace

FormViews QtViewFactory::create(const FormLayout& layout) {
    auto owned = std::make_unique<QtFormWindow>(layout);
    QtFormWindow* window = owned.get();
    FormViews views(std::move(owned));
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlLayout& control : layout.controls) {
        QWidget* widget = createControl(views, control);
        widget->setParent(window);
        widget->setObjectName(toQt(control.name));
        widget->setGeometry(Twips::toPixels(control.left), Twips::toPixels(control.top),
                            Twips::toPixels(control.width), Twips::toPixels(control.height));
        if (control.kind != ControlKind::Label) {
            focusable.emplace_back(control.tabIndex, widget);
        }
    }
    // Lists and combo boxes show no name of their own: screen readers speak
    // the text of the label that names them.
    for (const ControlLayout& control : layout.controls) {
        if (!control.labelFor.empty()) {
            window->findChild<QWidget*>(toQt(control.labelFor))
                ->setAccessibleName(toQt(control.text));
        }
    }
    // Keyboard focus starts on the first control and moves in tab order.
    std::sort(focusable.begin(), focusable.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    if (!focusable.empty()) {
        focusable.front().second->setFocus();
    }
    for (size_t index = 1; index < focusable.size(); ++index) {
        QWidget::setTabOrder(focusable[index - 1].second, focusable[index].second);
    }
    return views;
}

}  // namespace kestrix
