#pragma once

#include <QComboBox>
#include <functional>

#include "views/DriveListView.h"

namespace kestrix {

class QtDriveListView : public QComboBox, public DriveListView {
    Q_OBJECT

public:
    QtDriveListView();
    void setItems(const std::vector<std::string>& texts) override;
    void setCurrentIndex(int index) override;
    void onPick(std::function<void(int index)> handler) override;

protected:
    void showPopup() override;

private:
    std::function<void(int)> m_picked;
};

}  // namespace kestrix
