#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "views/WindowView.h"

class QRect;

namespace kestrix {

struct FormLayout;

// A window of the program on a QDialog: the title and the fixed client size
// of its layout table, drawn in the classic font.
class QtFormWindow : public QDialog, public WindowView {
    Q_OBJECT

public:
    explicit QtFormWindow(const FormLayout& layout);

    void show() override;
    void showModal(WindowView& owner) override;
    void hide() override;
    TwipsSize outerSize() const override;
    TwipsSize screenSize() const override;
    void moveTo(float left, float top) override;
    void onFrameClose(std::function<void()> handler) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter and Escape click the buttons the layout names for them, and
    // nothing else: Escape does not close a window by itself.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect screenArea() const;

    std::function<void()> m_frameClosed;
    QString m_enterClicks;
    QString m_escapeClicks;
};

}  // namespace kestrix
