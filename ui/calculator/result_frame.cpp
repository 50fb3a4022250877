#include "ui/calculator/result_frame.h"

#include <QLabel>
#include <QMouseEvent>

#include "ui/common/look.h"
#include "ui/common/twips.h"

namespace velmora::ui {
namespace {

// The labels of a result frame, in twips inside the frame. Every label draws
// its text from its top edge, so the exponents, placed higher or in a smaller
// type, stand raised beside the text they follow.
struct LabelDesign {
    double left, top, width, height;
    double pointSize;
    Qt::AlignmentFlag alignment;
};

constexpr LabelDesign kSymbol{360, 360, 375, 255, 11.25, Qt::AlignLeft};
constexpr LabelDesign kAnswer{720, 360, 2055, 255, 11.25, Qt::AlignRight};
constexpr LabelDesign kUnit{2760, 360, 375, 255, 11.25, Qt::AlignRight};
constexpr LabelDesign kSecondLine{720, 600, 2055, 255, 11.25, Qt::AlignRight};
constexpr LabelDesign kUnitExponent{3000, 240, 255, 255, 9, Qt::AlignRight};
constexpr LabelDesign kSymbolExponent{480, 360, 135, 255, 8.25, Qt::AlignLeft};

QLabel* AddLabel(QWidget* frame, const char* name, const char* text, const LabelDesign& design) {
    auto* label = new QLabel(QString::fromUtf8(text), frame);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(TwipsRect(design.left, design.top, design.width, design.height));
    label->setFont(GothicFont(design.pointSize));
    label->setAlignment(design.alignment | Qt::AlignTop);
    return label;
}

}  // namespace

ResultFrame::ResultFrame(const ResultFrameDesign& design, QWidget* parent)
    : QGroupBox(QString::fromUtf8(design.caption), parent), frameDesign_(design) {
    setObjectName(QString::fromLatin1(design.name));
    setFont(GothicFont(9, true));  // the caption; every label sets its own font

    AddLabel(this, design.symbolName, design.symbolText, kSymbol);
    answerLabel_ = AddLabel(this, design.answerName, "0", kAnswer);
    unitLabel_ = AddLabel(this, design.unitName, "mm", kUnit);
    AddLabel(this, design.exponentName, design.exponentText,
             design.squaredSymbol ? kSymbolExponent : kUnitExponent);
    secondLineLabel_ = AddLabel(this, design.secondLineName, "", kSecondLine);
}

void ResultFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    // The labels pass their mouse events on to the frame; those do not count.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) emit doubleClicked();
    event->accept();
}

}  // namespace velmora::ui
