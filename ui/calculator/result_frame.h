// One of the four result frames of the calculator: the symbol, the answer, the
// unit with its exponent, and the second line under the answer.
#pragma once

#include <QGroupBox>

class QLabel;

namespace velmora::ui {

struct ResultFrameDesign {
    const char* name;            // "Frame2"
    const char* caption;         // " 断面積 "
    const char* formulaKind;     // "a": the formula its double click asks for
    const char* symbolName;      // "Label1"
    const char* symbolText;      // "A ="
    const char* answerName;      // "ansal"
    const char* unitName;        // "aunil"
    const char* secondLineName;  // "unal"
    const char* exponentName;    // "Label5"
    const char* exponentText;    // "2"
    bool squaredSymbol;          // the exponent follows the symbol (k²) instead of the unit
};

class ResultFrame final : public QGroupBox {
    Q_OBJECT

public:
    ResultFrame(const ResultFrameDesign& design, QWidget* parent);

    const ResultFrameDesign& design() const { return frameDesign_; }
    QLabel* answer() const { return answerLabel_; }
    QLabel* unit() const { return unitLabel_; }
    QLabel* secondLine() const { return secondLineLabel_; }

signals:
    // A double click on the frame itself: its caption, its border or an empty
    // part of it. A double click on one of its labels does not count.
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ResultFrameDesign frameDesign_;
    QLabel* answerLabel_ = nullptr;
    QLabel* unitLabel_ = nullptr;
    QLabel* secondLineLabel_ = nullptr;
};

}  // namespace velmora::ui
