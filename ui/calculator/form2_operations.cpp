// The calculator window's operations on its own controls: opening, per-shape
// set-up, the result labels and the derived thickness inputs.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "core/messages.h"
#include "core/thickness.h"
#include "ui/calculator/form2.h"
#include "ui/calculator/result_frame.h"
#include "ui/common/pictures.h"
#include "ui/common/text.h"
#include "ui/common/twips.h"

namespace velmora::ui {
namespace {

// The values of Frame2 to Frame5, first line and second line.
constexpr std::array<float SectionValues::*, 4> kFirstLine{&SectionValues::resA, &SectionValues::resI,
                                                           &SectionValues::resZ, &SectionValues::resK};
constexpr std::array<float SectionValues::*, 4> kSecondLine{&SectionValues::resA2, &SectionValues::resI2,
                                                            &SectionValues::resZ2, &SectionValues::resK2};

}  // namespace

// --- Opening and set-up ---------------------------------------------------------

void Form2::HidePictures() { img1->hide(); }

void Form2::ResetInputs() {
    cmb1->setEnabled(false);
    cmb1->hide();
    for (QLabel* caption : lbls) caption->clear();
    for (QLineEdit* box : txts) box->setText(QStringLiteral("0"));  // runs the change handling
    for (QLabel* caption : lbls) caption->setEnabled(false);
    for (QLineEdit* box : txts) box->setEnabled(false);
    for (QLabel* caption : lbls) caption->hide();
    for (QLineEdit* box : txts) box->hide();
    for (QCheckBox* box : chks) {
        box->setEnabled(false);
        box->hide();
        box->setChecked(false);  // no clicked signal: not a change by the user
    }
}

// Shows the drawing of the selected shape centred in Frame1, measured from the
// frame's outer edge, rendered for the window's pixel ratio.
void Form2::ShowDrawing() {
    const ShapeEntry* shape = FindShape(context_.module.SelectedShape);
    if (!shape) return;
    const double width = shape->drawingWidthTwips;
    const double height = shape->drawingHeightTwips;
    img1->setGeometry(TwipsRect((ToTwips(Frame1->width()) - width) / 2,
                                (ToTwips(Frame1->height()) - height) / 2, width, height));
    img1->setPixmap(DrawingPixmap(shape->index, devicePixelRatioF()));  // empty until the drawing exists
    img1->setAccessibleName(ToQString(shape->japaneseName));
    img1->setToolTip(ToQString(shape->japaneseName) +
                     QStringLiteral("\nダブルクリックで断面形状の選択に戻ります"));
    img1->show();
}

void Form2::SetUpShape() {
    cmb1->setEnabled(true);
    cmb1->show();
    const ShapeEntry* shape = FindShape(context_.module.SelectedShape);
    if (!shape) return;
    for (const InputSlot& input : shape->entered) {
        lbl(input.slot)->show();
        lbl(input.slot)->setEnabled(true);
        lbl(input.slot)->setText(ToQString(input.caption));
        txt(input.slot)->show();
        txt(input.slot)->setEnabled(true);
        txt(input.slot)->setText(QStringLiteral("0"));
    }
    QCheckBox* option = optionBox();
    if (!option) return;
    option->setEnabled(true);
    option->show();
    for (const InputSlot& input : shape->derived) {  // shown greyed: the window fills them
        lbl(input.slot)->show();
        lbl(input.slot)->setText(ToQString(input.caption));
        txt(input.slot)->show();
        txt(input.slot)->setText(QStringLiteral("0"));
    }
}

void Form2::ClearValues() { context_.module.values = {}; }

// --- Result labels ------------------------------------------------------------------

// While the results are cleared there is nothing to copy.
void Form2::ClearAnswers() {
    for (ResultFrame* frame : frames) frame->answer()->setText(QStringLiteral("0"));
    enableCopy(false);
}

void Form2::ShowUnit() {
    const QString unit = QString::fromStdString(context_.module.UnitSuffix);
    for (ResultFrame* frame : frames) frame->unit()->setText(unit);
}

void Form2::ShowAnswers() {
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i]->answer()->setText(NumberText(context_.module.values.*kFirstLine[i]));
    enableCopy(true);
}

void Form2::ClearSecondLine() {
    for (ResultFrame* frame : frames) frame->secondLine()->clear();
}

void Form2::HideSecondLine() {
    for (ResultFrame* frame : frames) frame->secondLine()->hide();
}

void Form2::ShowSecondLine() {
    for (ResultFrame* frame : frames) frame->secondLine()->show();
}

void Form2::ShowSecondAnswers() {
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i]->secondLine()->setText(NumberText(context_.module.values.*kSecondLine[i]));
}

// --- Derived thickness inputs ---------------------------------------------------

// Each write that changes a text runs the change handling again; for the
// circular tube that recomputes the same texts, so the nesting stops at the
// first write that leaves its box as it was.
void Form2::UpdateThicknessInputs() {
    const ThicknessOutcome outcome = velmora::UpdateThicknessInputs(
        context_.module.SelectedShape, inputTexts(), optionTicked(), DecimalSeparator());
    for (const ThicknessWrite& write : outcome.writes) txt(write.slot)->setText(ToQString(write.text));
    if (outcome.wallNotConstant) warn(kWallNotConstantMessage);
}

}  // namespace velmora::ui
