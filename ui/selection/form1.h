// The shape selection window: the start-up window with one picture for each of
// the 25 shapes. A click chooses a shape; OK or a double click on the chosen
// picture hands over to the calculator. Without a mouse, the grid takes the
// focus and the arrow keys move the choice.
#pragma once

#include <QWidget>
#include <array>

#include "core/catalogue.h"
#include "ui/common/context.h"

class QFocusFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmora::ui {

class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(AppContext& context, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setupWindow();
    void setupFrame();
    void setupPictures();
    void setupButtons();

    // Handlers, one per user event.
    void Form_Load();
    void Image1_Click(int index);
    void Image2_DblClick(int index);
    void cmd1_Click();
    void oc2_Click();
    void oc3_Click();
    void Form_DblClick();
    bool handleGridKey(const QKeyEvent& key);  // true when the grid used the key

    // Tells screen readers which shape is chosen.
    void describeChoiceToScreenReaders();

    // Every shape shows its normal picture.
    void ResetPictures();

    AppContext& context_;

    QGroupBox* Frame1 = nullptr;
    QFocusFrame* gridFocusRing_ = nullptr;      // around Frame1 while it has the keyboard's focus
    std::array<QLabel*, kShapeCount> Image1{};  // normal pictures, by shape index
    std::array<QLabel*, kShapeCount> Image2{};  // selected pictures, same rectangles
    QPushButton* cmd1 = nullptr;                // OK, the default button
    QPushButton* oc2 = nullptr;                 // Info
    QPushButton* oc3 = nullptr;                 // Exit
};

}  // namespace velmora::ui
