// The formula viewer: a small modal window with the textbook formula of one
// section property of the chosen shape. A double click on the formula closes it.
#pragma once

#include <QDialog>

#include "ui/common/context.h"

class QLabel;

namespace velmora::ui {

class Form3 final : public QDialog {
    Q_OBJECT

public:
    Form3(AppContext& context, QWidget* parent);

    // The formula picture on show, 0 to 75, or -1 when none is.
    int shownPicture() const { return shownPicture_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupWindow();
    void setupPicture();

    // Handlers, one per user event.
    void Form_Load();
    void Image1_DblClick();

    void HideFormulaPictures();
    void SetFormulaCaption();
    void ShowFormulaPicture();

    AppContext& context_;

    QLabel* Image1 = nullptr;  // the one picture control; holds the picture on show, if any
    int shownPicture_ = -1;
};

}  // namespace velmora::ui
