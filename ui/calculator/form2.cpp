// The calculator window: construction, opening sequence and event handlers.
#include "ui/calculator/form2.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

#include "core/messages.h"
#include "core/numtext.h"
#include "core/units.h"
#include "ui/calculator/result_frame.h"
#include "ui/common/confirm_exit.h"
#include "ui/common/default_button.h"
#include "ui/common/look.h"
#include "ui/common/placement.h"
#include "ui/common/text.h"
#include "ui/details/details_window.h"
#include "ui/sheet/sheet_content.h"

namespace velmora::ui {
namespace {

constexpr std::size_t kZFrame = 2;     // Frame4: the one second-line value some shapes show alone
constexpr int kLastDimensionSlot = 4;  // the derived inputs are computed from txt1 to txt4

}  // namespace

Form2::Form2(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setupWindow();
    setupControls();
    setupTabOrder();
    setupConnections();
    Form_Load();
}

void Form2::setupWindow() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("velmora: 電卓"));
    ApplyWindowLook(this, kCalculatorWindowSize);
}

void Form2::setupTabOrder() {
    QList<QWidget*> order{cmd1, cmb1};
    order.append(QList<QWidget*>(txts.begin(), txts.end()));
    order.append(QList<QWidget*>(chks.begin(), chks.end()));
    order.append({oc2, oc3});
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form2::setupConnections() {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        connect(txt(slot), &QLineEdit::textChanged, this, [this, slot] { txt_Change(slot); });
    // clicked, not toggled: only the user's click or key changes an option; the
    // unticking of the opening sequence does not count.
    for (QCheckBox* box : chks) connect(box, &QCheckBox::clicked, this, &Form2::chk_Click);
    // Only a choice in the list sets the unit. Qt's editable list would also
    // select an item whose text was typed, on Return or when the field loses
    // the focus; typing changes nothing here. Setting the text from the window
    // never emits activated.
    disconnect(cmb1->lineEdit(), &QLineEdit::editingFinished, cmb1, nullptr);
    disconnect(cmb1->lineEdit(), &QLineEdit::returnPressed, cmb1, nullptr);
    connect(cmb1, &QComboBox::activated, this, &Form2::cmb1_Click);
    connect(cmd1, &QPushButton::clicked, this, &Form2::cmd1_Click);
    connect(oc2, &QPushButton::clicked, this, &Form2::oc2_Click);
    connect(oc3, &QPushButton::clicked, this, &Form2::oc3_Click);
    for (ResultFrame* frame : frames) {
        const char* kind = frame->design().formulaKind;
        connect(frame, &ResultFrame::doubleClicked, this, [this, kind] { Frame_DblClick(kind); });
    }
    img1->installEventFilter(this);
    setupContextMenu();
    // Return and Enter in the open unit list pick a unit and nothing else. The
    // list acts on them without claiming them, so the window's Return below
    // would run Ans as well; the filter claims them for the list.
    cmb1->view()->installEventFilter(this);

    // Ans is the window's default button: Return and Enter run it wherever the
    // focus is, except on another button, which they press instead (a default
    // push button acts by itself only inside a dialog).
    defaultButton_ = DefaultButton::install(cmd1);
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, defaultButton_, &DefaultButton::press);
    }
    setupDetails();  // last: the details follow each change after the window has handled it
}

void Form2::Form_Load() {
    HidePictures();
    ResetInputs();
    PlaceWindow(this, kCalculatorWindowSize, context_.platform);
    ShowDrawing();
    SetUpShape();
    context_.module.UnitSuffix = kDefaultUnitSuffix;
    setUnitListText(kDefaultUnitText);
    ClearValues();
    ClearAnswers();
    ShowUnit();
    ClearSecondLine();
    HideSecondLine();
    cmd1->setFocus();
}

// --- Handlers -----------------------------------------------------------------

void Form2::txt_Change(int slot) {
    ClearAnswers();
    ClearSecondLine();
    if (slot <= kLastDimensionSlot) UpdateThicknessInputs();
}

void Form2::chk_Click() {
    ClearAnswers();
    ClearSecondLine();
    UpdateThicknessInputs();
}

void Form2::cmb1_Click() {
    context_.module.UnitSuffix = UnitSuffixForText(cmb1->currentText().toStdString());
    ShowUnit();
    cmb1->lineEdit()->setCursorPosition(0);  // the unit's start shows, not the end of its name
}

void Form2::cmd1_Click() {
    Module1& module = context_.module;
    if (module.UnitSuffix == kNoUnit) {
        if (warn(kUnitMissingMessage, MessageButtons::OkCancel) != MessageAnswer::Ok) return;
        module.UnitSuffix = kDefaultUnitSuffix;
        setUnitListText(kDefaultUnitText);
        ShowUnit();
    }

    const AnsOutcome outcome =
        ComputeAnswers(module.SelectedShape, inputTexts(), optionTicked(), module.values, DecimalSeparator());
    // In this order, so that a failure in the thin-wall part leaves the new first line on show.
    module.values = outcome.values;
    if (outcome.showFirstLine) ShowAnswers();
    if (outcome.message != AnsMessage::None) warn(MessageText(outcome.message));
    switch (outcome.secondLine) {
        case SecondLine::Full:
            ShowSecondLine();
            ShowSecondAnswers();
            break;
        case SecondLine::ZOnly: {
            QLabel* z = frames[kZFrame]->secondLine();
            z->show();
            z->setText(NumberText(module.values.resZ2));
            break;
        }
        case SecondLine::Untouched: break;
    }
}

void Form2::Frame_DblClick(const char* formulaKind) {
    context_.module.FormulaKind = formulaKind;
    context_.navigator.showFormulaViewer(this);
}

void Form2::img1_DblClick() { context_.navigator.showSelection(); }

void Form2::oc2_Click() { context_.navigator.showInformation(this); }

void Form2::oc3_Click() { context_.platform.endProgram(); }

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmb1->view() && event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) event->accept();
        return false;  // the list still picks the item
    }
    if (watched == img1 && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        img1_DblClick();  // the navigator may discard this window: touch nothing after it
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::mouseDoubleClickEvent(QMouseEvent* event) {
    // Labels, disabled controls and Frame1 pass their double clicks on to the
    // window; only the bare background asks to end the program.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        ConfirmExit(this, context_.platform);
}

// --- Helpers ------------------------------------------------------------------

QCheckBox* Form2::optionBox() const {
    const ShapeEntry* shape = FindShape(context_.module.SelectedShape);
    if (!shape || shape->option == ThicknessOption::None) return nullptr;
    // Chk1 to Chk3 follow None in the enumeration.
    return chks[static_cast<std::size_t>(shape->option) - 1];
}

bool Form2::optionTicked() const {
    const QCheckBox* box = optionBox();
    return box && box->checkState() == Qt::Checked;
}

InputTexts Form2::inputTexts() const {
    InputTexts texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[static_cast<std::size_t>(slot - 1)] = txt(slot)->text().toStdString();
    return texts;
}

CalculatorSnapshot Form2::sheetSnapshot() const {
    CalculatorSnapshot snapshot;
    snapshot.shape = context_.module.SelectedShape;
    snapshot.texts = inputTexts();
    snapshot.optionTicked = optionTicked();
    snapshot.unitSuffix = context_.module.UnitSuffix;
    snapshot.decimalSeparator = DecimalSeparator();
    if (details_) snapshot.detailsUnitSuffix = details_->displayUnitSuffix();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        snapshot.firstLine[i] = frames[i]->answer()->text();
        const QLabel* second = frames[i]->secondLine();
        if (!second->isHidden()) snapshot.secondLine[i] = second->text();
    }
    return snapshot;
}

void Form2::setUnitListText(std::string_view text) {
    // Neither call emits activated: setting the text is not a selection.
    const QString listText = ToQString(text);
    cmb1->setCurrentIndex(cmb1->findText(listText));
    cmb1->setEditText(listText);
    cmb1->lineEdit()->setCursorPosition(0);
}

MessageAnswer Form2::warn(std::string_view text, MessageButtons buttons) {
    return ShowMessage(context_.platform, this, text, MessageIcon::Exclamation, buttons);
}

}  // namespace velmora::ui
