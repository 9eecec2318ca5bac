#pragma once

#include <QComboBox>

#include "views/ComboBoxView.h"

namespace kestrix {

class QtComboBoxView : public QComboBox, public ComboBoxView {
    Q_OBJECT

public:
    QtComboBoxView();
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int count() const override;
    std::string itemText(int index) const override;
    std::string editText() const override;
    void setEditText(const std::string& text) override;
    void clear() override;
};

}  // namespace kestrix
