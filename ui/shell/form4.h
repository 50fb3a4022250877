// The information window: program name, version, and the mail and web
// addresses, each of which opens in the desktop's own handler when clicked.
#pragma once

#include <QDialog>

#include "ui/common/context.h"

class QLabel;

namespace velmora::ui {

class Form4 final : public QDialog {
    Q_OBJECT

public:
    // Shown modally (exec()) over the window that asked.
    explicit Form4(AppContext& context, QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setupWindow();
    void setupIcon();
    void setupLabels();

    // Handlers, one per user event.
    void Form_Load();
    void Label6_Click();
    void Label8_Click();
    void Form_DblClick();

    AppContext& context_;

    QLabel* Image1 = nullptr;  // the program icon
    QLabel* Label6 = nullptr;  // the mail address
    QLabel* Label8 = nullptr;  // the web address
};

}  // namespace velmora::ui
