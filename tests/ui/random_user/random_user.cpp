#include "tests/ui/random_user/random_user.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>
#include <vector>

#include "core/catalogue.h"
#include "core/formula_pictures.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "core/thickness.h"
#include "core/units.h"
#include "tests/ui/random_user/real_message_boxes.h"
#include "ui/calculator/form2.h"
#include "ui/formula/form3.h"
#include "ui/selection/form1.h"
#include "ui/shell/form4.h"
#include "ui/shell/shell.h"

namespace velmora::ui::testing {
namespace {

const std::array<QString, 4> kAnswerLabels{"ansal", "ansil", "anszl", "anskl"};
const std::array<QString, 4> kUnitLabels{"aunil", "iunil", "zunil", "kunil"};
const std::array<QString, 4> kSecondLineLabels{"unal", "unil", "unzl", "unkl"};
const std::array<QString, 4> kFrames{"Frame2", "Frame3", "Frame4", "Frame5"};
const std::array<const char*, 4> kFormulaKinds{"a", "i", "z", "k"};
constexpr std::size_t kRecentActions = 25;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text short enough for a log line.
QString Shown(const QString& text) {
    QString shown = text.left(24);
    shown.replace('\n', QStringLiteral("\\n"))
        .replace('\r', QStringLiteral("\\r"))
        .replace('\t', QStringLiteral("\\t"));
    return text.size() > 24 ? QStringLiteral("\"%1…\" (%2 characters)").arg(shown).arg(text.size())
                            : '"' + shown + '"';
}

QString Name(const QWidget* widget) {
    return widget ? widget->objectName() + " (" + widget->metaObject()->className() + ")"
                  : QStringLiteral("nothing");
}

// Results may hold NaN or infinities stored before a failing step: compare bits.
bool SameBits(const SectionValues& a, const SectionValues& b) {
    static_assert(sizeof(SectionValues) == 19 * sizeof(float));
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The role of each slot of a shape: 'e' entered, 'd' derived, '-' unused.
std::array<char, kSlotCount> SlotRoles(const ShapeEntry& shape) {
    std::array<char, kSlotCount> roles;
    roles.fill('-');
    for (const InputSlot& input : shape.entered) roles[static_cast<std::size_t>(input.slot - 1)] = 'e';
    for (const InputSlot& input : shape.derived) roles[static_cast<std::size_t>(input.slot - 1)] = 'd';
    return roles;
}

QString OptionName(const ShapeEntry& shape) {
    switch (shape.option) {
        case ThicknessOption::Chk1: return QStringLiteral("chk1");
        case ThicknessOption::Chk2: return QStringLiteral("chk2");
        case ThicknessOption::Chk3: return QStringLiteral("chk3");
        case ThicknessOption::None: break;
    }
    return {};
}

}  // namespace

// --- ExpectedCalculator ------------------------------------------------------------

void ExpectedCalculator::open(ShapeType openedShape) {
    shape = openedShape;
    answers.fill(QStringLiteral("0"));
    secondLine.fill(QString());
    secondLineShown.fill(false);
    values = {};
    unit = kDefaultUnitSuffix;
}

void ExpectedCalculator::clearResults() {
    answers.fill(QStringLiteral("0"));
    secondLine.fill(QString());
}

// ---------------------------------------------------------------------------------

RandomUser::RandomUser(Shell& shell, Module1& module, FakePlatform& platform, Dice& dice)
    : shell_(shell), module_(module), platform_(platform), dice_(dice) {}

RandomUser::~RandomUser() = default;

Form1* RandomUser::selection() const { return qobject_cast<Form1*>(shell_.mainWindow()); }
Form2* RandomUser::calculator() const { return qobject_cast<Form2*>(shell_.mainWindow()); }

bool RandomUser::run(int count) {
    // Every shape gets its share, in an order of the seed's choosing.
    std::vector<int> shapes(kShapeCount);
    std::iota(shapes.begin(), shapes.end(), 0);
    for (int i = kShapeCount - 1; i > 0; --i) std::swap(shapes[i], shapes[dice_.below(i + 1)]);

    for (int i = 0; i < kShapeCount; ++i) {
        const int shape = shapes[static_cast<std::size_t>(i)];
        const int end = actionsDone_ + count / kShapeCount + (i < count % kShapeCount ? 1 : 0);
        if (calculator()) {
            backToSelection();
            if (!finish()) return false;
        }
        if (!chooseShape(shape)) return false;
        while (actionsDone_ < end) {
            calculatorAction();
            if (!finish()) return false;
            // Going back to the selection is one of the actions; then choose again.
            if (!inCalculator_ && !chooseShape(shape)) return false;
        }
    }
    return true;
}

void RandomUser::begin(const QString& description) {
    action_ = description;
    if (verbose) qInfo("%d: %s", actionsDone_ + 1, qUtf8Printable(description));
    changes_.clear();
    textChanges_ = 0;
    activations_.clear();
    expectedMessages_.clear();
    messagesBefore_ = platform_.messages.size();
    expectedEnds_ = 0;
    endsBefore_ = platform_.endCount;
    expectedUrls_ = 0;
    urlsBefore_ = platform_.urls.size();
    editsForbidden_ = false;
    unitForbidden_ = false;
    opening_ = false;
    expectedUnitListText_.clear();
    platform_.answers.clear();
}

bool RandomUser::finish() {
    // What a real event loop would do next: activation, painting, deletion of
    // the windows let go of.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The offscreen platform has no window manager: it activates a window when
    // it is shown but activates nothing when one closes (the unit list's popup,
    // the viewer, the information window). Do what a window manager does and
    // hand the activation back to the window that is left.
    if (QWidget* main = shell_.mainWindow(); main && QApplication::activeWindow() != main) {
        main->activateWindow();
        QCoreApplication::processEvents();
        count(QStringLiteral("activation handed back"));
    }

    if (inCalculator_) {
        Form2* form = calculator();
        if (!form) {
            problem(QStringLiteral("the calculator is not the main window; it is %1")
                        .arg(Name(shell_.mainWindow())));
        } else {
            if (form != watched_) {
                if (!opening_) problem(QStringLiteral("a new calculator window appeared"));
                watchCalculator();
                checkOpenedCalculator();
            }
            checkCalculator();
        }
    } else {
        if (!selection())
            problem(QStringLiteral("the selection window is not the main window; it is %1")
                        .arg(Name(shell_.mainWindow())));
        else
            checkSelection();
    }
    if (realBoxes) {
        problems_ += realBoxes->problems;
        realBoxes->problems.clear();
    }
    if (platform_.endCount - endsBefore_ != expectedEnds_)
        problem(QStringLiteral("the program was asked to end %1 times, expected %2")
                    .arg(platform_.endCount - endsBefore_)
                    .arg(expectedEnds_));
    if (platform_.urls.size() - urlsBefore_ != expectedUrls_)
        problem(QStringLiteral("%1 addresses were opened, expected %2")
                    .arg(platform_.urls.size() - urlsBefore_)
                    .arg(expectedUrls_));

    ++actionsDone_;
    if (verbose) qInfo("%d: done: %s", actionsDone_, qUtf8Printable(action_));
    recent_.push_back(QStringLiteral("%1: %2").arg(actionsDone_).arg(action_));
    if (recent_.size() > kRecentActions) recent_.pop_front();
    if (problems_.isEmpty()) return true;

    failure_ = QStringLiteral("action %1 (shape %2): %3\n  %4\nthe last actions:\n%5")
                   .arg(actionsDone_)
                   .arg(inCalculator_ ? expected_.shape : module_.SelectedShape)
                   .arg(action_, problems_.join(QStringLiteral("\n  ")), recentActions());
    return false;
}

QString RandomUser::recentActions() const {
    QStringList lines;
    for (const QString& line : recent_) lines << "  " + line;
    return lines.join('\n');
}

// --- the selection window ------------------------------------------------------------

bool RandomUser::chooseShape(int shape) {
    // Some wandering first: a look at the information, an early OK, a
    // question to end, other pictures.
    for (int n = dice_.weighted({6, 3, 1}); n > 0; --n) {
        switch (dice_.weighted({6, 1, 1, 1})) {
            case 0: clickPicture(dice_.below(kShapeCount)); break;
            case 1:
                if (expectedSelection_ == kNoShape) {
                    pressOkWithNothingChosen();
                    break;
                }
                [[fallthrough]];
            case 2: openInformation(selection()); break;
            default: doubleClickBackground(selection()); break;
        }
        if (!finish()) return false;
    }
    if (expectedSelection_ != shape || dice_.chance(0.2)) {
        clickPicture(shape);
        if (!finish()) return false;
    }
    openCalculator(shape);
    return finish();
}

void RandomUser::clickPicture(int shape) {
    begin(QStringLiteral("click the picture of shape %1").arg(shape));
    QWidget* picture =
        control(QStringLiteral("Image%1_%2").arg(expectedSelection_ == shape ? 2 : 1).arg(shape));
    if (!picture) return;
    clickAt(picture, picture->rect().center());
    expectedSelection_ = static_cast<ShapeType>(shape);
    count(QStringLiteral("selection: picture clicked"));
}

void RandomUser::pressOkWithNothingChosen() {
    begin(QStringLiteral("OK with no shape chosen"));
    Form1* form = selection();
    expectMessage(kChooseShapeMessage, MessageIcon::Information, MessageButtons::Ok, form);
    // Return on Info or Exit would press that button instead.
    if (focusOnInfoOrExit() || dice_.chance(0.5))
        clickAt(control("cmd1"), control("cmd1")->rect().center());
    else
        key(Qt::Key_Return);
    count(QStringLiteral("selection: OK with nothing chosen"));
}

void RandomUser::openCalculator(int shape) {
    int way = dice_.below(3);
    if (way == 1 && focusOnInfoOrExit()) way = 0;  // Return would press the focused button
    switch (way) {
        case 0:
            begin(QStringLiteral("OK for shape %1").arg(shape));
            clickAt(control("cmd1"), control("cmd1")->rect().center());
            break;
        case 1:
            begin(QStringLiteral("Return for shape %1").arg(shape));
            key(dice_.pick({Qt::Key_Return, Qt::Key_Enter}));
            break;
        default: {
            begin(QStringLiteral("double click the chosen picture of shape %1").arg(shape));
            QWidget* picture = control(QStringLiteral("Image2_%1").arg(shape));
            if (picture) doubleClickAt(picture, picture->rect().center());
            break;
        }
    }
    inCalculator_ = true;
    opening_ = true;
    expected_.open(static_cast<ShapeType>(shape));
    count(QStringLiteral("calculator opened"));
}

void RandomUser::checkSelection() {
    Form1* form = selection();
    checkOneMainWindow(form);
    if (module_.SelectedShape != expectedSelection_)
        problem(QStringLiteral("SelectedShape is %1, expected %2")
                    .arg(module_.SelectedShape)
                    .arg(expectedSelection_));
    for (int i = 0; i < kShapeCount; ++i) {
        const bool chosen = i == expectedSelection_;
        const QWidget* normal = form->findChild<QWidget*>(QStringLiteral("Image1_%1").arg(i));
        const QWidget* selected = form->findChild<QWidget*>(QStringLiteral("Image2_%1").arg(i));
        if (!normal || !selected || normal->isVisible() == chosen || selected->isVisible() != chosen)
            problem(QStringLiteral("the pictures of shape %1 do not show it %2")
                        .arg(i)
                        .arg(chosen ? "chosen" : "unchosen"));
    }
    checkMessages();
}

// --- the calculator ------------------------------------------------------------------

void RandomUser::watchCalculator() {
    Form2* form = calculator();
    watched_ = form;
    calculatorBackground_ = emptySpot(form);
    // Connected after the window's own handlers, so each of these runs once the
    // window has dealt with the change.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        QObject::connect(box(slot), &QLineEdit::textChanged, form, [this, slot] {
            ++textChanges_;
            if (slot <= 4) changes_.append({screenTexts(), optionTicked()});
        });
    }
    for (QCheckBox* option : form->findChildren<QCheckBox*>())
        QObject::connect(option, &QCheckBox::clicked, form, [this] {
            changes_.append({screenTexts(), optionTicked()});
        });
    auto* list = form->findChild<QComboBox*>(QStringLiteral("cmb1"));
    QObject::connect(list, &QComboBox::activated, form, [this, list](int index) {
        activations_.append({index, list->currentText()});
    });
}

void RandomUser::checkOpenedCalculator() {
    const ShapeEntry* shape = FindShape(expected_.shape);
    if (!shape) return;
    if (module_.SelectedShape != expected_.shape)
        problem(QStringLiteral("SelectedShape is %1, expected %2")
                    .arg(module_.SelectedShape)
                    .arg(expected_.shape));
    const auto roles = SlotRoles(*shape);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (roles[static_cast<std::size_t>(slot - 1)] != '-' && box(slot)->text() != "0")
            problem(QStringLiteral("txt%1 opens with %2, not 0").arg(slot).arg(Shown(box(slot)->text())));
    }
    for (const InputSlot& input : shape->entered) {
        auto* caption = qobject_cast<QLabel*>(control(QStringLiteral("lbl%1").arg(input.slot)));
        if (caption && caption->text() != Q(input.caption))
            problem(QStringLiteral("lbl%1 reads %2, not %3")
                        .arg(input.slot)
                        .arg(caption->text(), Q(input.caption)));
    }
    if (optionTicked()) problem(QStringLiteral("the option opens ticked"));
    const QString listText = static_cast<QComboBox*>(control("cmb1"))->currentText();
    if (listText != Q(kDefaultUnitText))
        problem(QStringLiteral("the unit list opens with %1").arg(Shown(listText)));
}

void RandomUser::checkCalculator() {
    Form2* form = calculator();
    checkOneMainWindow(form);
    const ShapeEntry* shape = FindShape(expected_.shape);
    if (!shape) {
        problem(QStringLiteral("no shape %1").arg(expected_.shape));
        return;
    }

    // Every change of an input or click of the option clears the results;
    // the hollow ellipse warns for every inconsistent state of its entries.
    if (textChanges_ > 0 || !changes_.isEmpty()) {
        if (editsForbidden_) problem(QStringLiteral("the action changed an input"));
        expected_.clearResults();
        count(QStringLiteral("results cleared by an edit"));
    }
    for (const Change& change : changes_) {
        if (velmora::UpdateThicknessInputs(expected_.shape, change.texts, change.ticked, separator())
                .wallNotConstant) {
            expectMessage(kWallNotConstantMessage, MessageIcon::Exclamation, MessageButtons::Ok, form);
            count(QStringLiteral("wall not constant"));
        }
    }
    // Only a selection in the list sets the unit, from the list's text.
    for (const Activation& activation : activations_) {
        if (unitForbidden_)
            problem(QStringLiteral("the action selected item %1 of the unit list").arg(activation.index));
        expected_.unit = UnitSuffixForText(activation.text.toStdString());
    }

    for (std::size_t i = 0; i < 4; ++i) {
        const auto* answer = qobject_cast<QLabel*>(control(kAnswerLabels[i]));
        const auto* unit = qobject_cast<QLabel*>(control(kUnitLabels[i]));
        const auto* second = qobject_cast<QLabel*>(control(kSecondLineLabels[i]));
        if (!answer || !unit || !second) return;
        if (answer->text() != expected_.answers[i])
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kAnswerLabels[i], answer->text(), expected_.answers[i]));
        if (unit->text() != Q(expected_.unit))
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kUnitLabels[i], unit->text(), Q(expected_.unit)));
        if (second->text() != expected_.secondLine[i])
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kSecondLineLabels[i], Shown(second->text()), Shown(expected_.secondLine[i])));
        if (second->isVisible() != expected_.secondLineShown[i])
            problem(QStringLiteral("%1 is %2")
                        .arg(kSecondLineLabels[i], second->isVisible() ? "shown" : "hidden"));
    }
    if (module_.UnitSuffix != expected_.unit)
        problem(
            QStringLiteral("UnitSuffix is %1, expected %2").arg(Q(module_.UnitSuffix), Q(expected_.unit)));
    if (!SameBits(module_.values, expected_.values))
        problem(QStringLiteral("the stored values differ from the computed ones"));
    if (!expectedUnitListText_.isEmpty()) {
        const QString listText = static_cast<QComboBox*>(control("cmb1"))->currentText();
        if (listText != expectedUnitListText_)
            problem(QStringLiteral("the unit list shows %1, expected %2")
                        .arg(Shown(listText), expectedUnitListText_));
    }

    // The slots of the shape: entered ones editable, derived ones greyed and
    // holding what the entered texts give, the rest hidden.
    const auto roles = SlotRoles(*shape);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const QLineEdit* edit = box(slot);
        const char role = roles[static_cast<std::size_t>(slot - 1)];
        const bool ok = role == 'e'   ? edit->isVisible() && edit->isEnabled()
                        : role == 'd' ? edit->isVisible() && !edit->isEnabled()
                                      : !edit->isVisible();
        if (!ok)
            problem(QStringLiteral("txt%1 is %2")
                        .arg(slot)
                        .arg(edit->isVisible() ? (edit->isEnabled() ? "editable" : "greyed") : "hidden"));
    }
    const ThicknessOutcome derived =
        velmora::UpdateThicknessInputs(expected_.shape, screenTexts(), optionTicked(), separator());
    std::map<int, QString> derivedTexts;
    for (const ThicknessWrite& write : derived.writes) derivedTexts[write.slot] = Q(write.text);
    for (const auto& [slot, text] : derivedTexts) {
        if (box(slot)->text() != text)
            problem(
                QStringLiteral("txt%1 shows %2, expected %3").arg(slot).arg(Shown(box(slot)->text()), text));
    }
    const QString option = OptionName(*shape);
    for (QCheckBox* check : form->findChildren<QCheckBox*>()) {
        const bool mine = check->objectName() == option;
        if (check->isVisible() != mine || (mine && !check->isEnabled()))
            problem(
                QStringLiteral("%1 is %2").arg(check->objectName(), check->isVisible() ? "shown" : "hidden"));
    }
    checkMessages();
}

void RandomUser::calculatorAction() {
    // What a person does in the calculator, and how often, relative to the rest.
    struct Choice {
        int weight;
        void (RandomUser::*act)();
    };
    static constexpr Choice kChoices[] = {
        {18, &RandomUser::typeCharacters},
        {11, &RandomUser::deleteCharacters},
        {6, &RandomUser::paste},
        {14, &RandomUser::retype},
        {6, &RandomUser::fillInDimensions},
        {2, &RandomUser::commitJapanese},
        {2, &RandomUser::useContextMenu},
        {6, &RandomUser::tickOption},
        {4, &RandomUser::pickUnitWithMouse},
        {3, &RandomUser::pickUnitWithKeyboard},
        {3, &RandomUser::stepUnitWithoutList},
        {2, &RandomUser::scrollUnitList},
        {1, &RandomUser::openUnitListAndCancel},
        {4, &RandomUser::typeIntoUnitList},
        {15, &RandomUser::pressAns},
        {2, &RandomUser::pressSpace},
        {3, &RandomUser::moveFocus},
        {2, &RandomUser::doubleClickControl},
        {3, &RandomUser::openFormula},
        {1, &RandomUser::openCalculatorInformation},
        {1, &RandomUser::doubleClickCalculatorBackground},
        {1, &RandomUser::backToSelection},
    };
    int total = 0;
    for (const Choice& choice : kChoices) total += choice.weight;
    int roll = dice_.below(total);
    for (const Choice& choice : kChoices) {
        if (roll < choice.weight) return (this->*choice.act)();
        roll -= choice.weight;
    }
}

void RandomUser::openCalculatorInformation() { openInformation(calculator()); }
void RandomUser::doubleClickCalculatorBackground() { doubleClickBackground(calculator()); }

QLineEdit* RandomUser::focusEnteredBox() {
    const ShapeEntry* shape = FindShape(expected_.shape);
    auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (focused && focused->objectName().startsWith("txt") && focused->isEnabled() && dice_.chance(0.7))
        return focused;
    const InputSlot& input =
        shape->entered[static_cast<std::size_t>(dice_.below(static_cast<int>(shape->entered.size())))];
    QLineEdit* edit = box(input.slot);
    // A click into the box puts the cursor where it lands.
    clickAt(edit, QPoint(dice_.between(2, edit->width() - 3), edit->height() / 2));
    return edit;
}

void RandomUser::typeCharacters() {
    QString typed;
    for (int n = dice_.weighted({6, 3, 1}) + 1; n > 0; --n) typed += RandomCharacter(dice_);
    begin(QStringLiteral("type %1").arg(Shown(typed)));
    QLineEdit* edit = focusEnteredBox();
    action_ += QStringLiteral(" into %1 at %2 of %3")
                   .arg(edit->objectName())
                   .arg(edit->cursorPosition())
                   .arg(Shown(edit->text()));
    for (QChar c : typed) typeCharacter(c);
    count(QStringLiteral("calculator: type"));
}

void RandomUser::deleteCharacters() {
    begin(QStringLiteral("delete"));
    QLineEdit* edit = focusEnteredBox();
    const QString before = edit->text();
    const int cursor = edit->cursorPosition();
    QStringList keys;
    for (int n = dice_.between(0, 2); n > 0; --n) {  // move the cursor first, or select
        const auto [k, m, name] = dice_.pick<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>>(
            {{Qt::Key_Home, Qt::NoModifier, "Home"},
             {Qt::Key_End, Qt::NoModifier, "End"},
             {Qt::Key_Left, Qt::NoModifier, "Left"},
             {Qt::Key_Right, Qt::NoModifier, "Right"},
             {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
             {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"}});
        key(k, m);
        keys << name;
    }
    for (int n = dice_.weighted({6, 2, 1}) + 1; n > 0; --n) {
        const auto [k, m, name] = dice_.pick<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>>(
            {{Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
             {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
             {Qt::Key_Delete, Qt::NoModifier, "Delete"},
             {Qt::Key_Delete, Qt::NoModifier, "Delete"},
             {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
             {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
             {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
             {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"}});
        key(k, m);
        keys << name;
    }
    action_ = QStringLiteral("%1 in %2 (was %3, cursor %4)")
                  .arg(keys.join(' '), edit->objectName(), Shown(before))
                  .arg(cursor);
    count(QStringLiteral("calculator: delete"));
}

void RandomUser::paste() {
    const QString text = localised(RandomClipboardText(dice_));
    begin(QStringLiteral("paste %1").arg(Shown(text)));
    QApplication::clipboard()->setText(text);
    QLineEdit* edit = focusEnteredBox();
    action_ += " into " + edit->objectName();
    if (dice_.chance(0.4)) key(Qt::Key_A, Qt::ControlModifier);
    if (dice_.chance(0.8))
        key(Qt::Key_V, Qt::ControlModifier);
    else
        key(Qt::Key_Insert, Qt::ShiftModifier);
    count(QStringLiteral("calculator: paste"));
}

void RandomUser::retype() {
    const QString text = localised(RandomNumberText(dice_));
    begin(QStringLiteral("retype %1").arg(Shown(text)));
    QLineEdit* edit = focusEnteredBox();
    action_ += QStringLiteral(" in %1 (was %2)").arg(edit->objectName(), Shown(edit->text()));
    if (dice_.chance(0.8)) {
        key(Qt::Key_A, Qt::ControlModifier);
    } else {
        key(Qt::Key_End);
        key(Qt::Key_Home, Qt::ShiftModifier);
    }
    if (text.isEmpty()) key(dice_.pick({Qt::Key_Delete, Qt::Key_Backspace}));
    for (QChar c : text) typeCharacter(c);
    count(QStringLiteral("calculator: retype"));
}

// Every entered box retyped with a plain number, Tab from box to box, as
// someone does who knows the dimensions.
void RandomUser::fillInDimensions() {
    const ShapeEntry* shape = FindShape(expected_.shape);
    QStringList typed;
    for (std::size_t i = 0; i < shape->entered.size(); ++i)
        typed << (dice_.chance(0.8) ? QString::number(dice_.between(1, 200))
                                    : localised(QString::number(dice_.between(1, 99)) + '.' +
                                                    QString::number(dice_.between(1, 9)),
                                                1.0));
    begin(QStringLiteral("fill in %1").arg(typed.join(' ')));
    for (std::size_t i = 0; i < shape->entered.size(); ++i) {
        QLineEdit* edit = box(shape->entered[i].slot);
        if (i == 0 || QApplication::focusWidget() != edit) clickAt(edit, QPoint(4, edit->height() / 2));
        key(Qt::Key_A, Qt::ControlModifier);
        for (QChar c : typed[static_cast<qsizetype>(i)]) typeCharacter(c);
        if (i + 1 < shape->entered.size()) key(Qt::Key_Tab);
    }
    count(QStringLiteral("calculator: dimensions filled in"));
}

void RandomUser::commitJapanese() {
    const QString text = RandomJapaneseText(dice_);
    begin(QStringLiteral("input method commits %1").arg(Shown(text)));
    QLineEdit* edit = focusEnteredBox();
    action_ += " into " + edit->objectName();
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        problem(QStringLiteral("the clicked box has no focus"));
        return;
    }
    QInputMethodEvent composing(text.left(1), {});
    QCoreApplication::sendEvent(target, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
    count(QStringLiteral("calculator: input method"));
}

void RandomUser::tickOption() {
    const QString name = OptionName(*FindShape(expected_.shape));
    if (name.isEmpty()) return typeCharacters();
    auto* option = static_cast<QCheckBox*>(control(name));
    if (dice_.chance(0.7)) {
        begin(QStringLiteral("click %1 (%2)").arg(name, option->isChecked() ? "ticked" : "unticked"));
        clickAt(option, QPoint(6, option->height() / 2));
    } else {
        begin(QStringLiteral("Space on %1 (%2)").arg(name, option->isChecked() ? "ticked" : "unticked"));
        option->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
    }
    count(QStringLiteral("calculator: option"));
}

void RandomUser::pickUnitWithMouse() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    const int item = dice_.below(list->count());
    begin(QStringLiteral("pick %1 in the unit list with the mouse").arg(list->itemText(item)));
    unitForbidden_ = false;
    clickAt(list, QPoint(list->width() - 8, list->height() / 2));  // the arrow
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        problem(QStringLiteral("a click on the arrow did not open the unit list"));
        return;
    }
    // Move onto the item, then click it.
    const QPoint spot = view->visualRect(list->model()->index(item, 0)).center();
    QWidget* popup = view->window();
    QTest::mouseMove(popup->windowHandle(), view->viewport()->mapTo(popup, spot));
    clickAt(view->viewport(), spot);
    if (view->isVisible()) problem(QStringLiteral("the unit list stayed open after a pick"));
    if (activations_.size() != 1 || activations_.front().index != item ||
        activations_.front().text != list->itemText(item))
        problem(QStringLiteral("picking item %1 did not select it (%2 selections)")
                    .arg(item)
                    .arg(activations_.size()));
    count(QStringLiteral("unit: picked with the mouse"));
}

void RandomUser::pickUnitWithKeyboard() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    begin(QStringLiteral("open the unit list with the keyboard"));
    clickAt(list, QPoint(6, list->height() / 2));  // into the text: the list takes the focus
    if (dice_.chance(0.5))
        key(Qt::Key_F4);
    else
        key(Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        problem(QStringLiteral("the keyboard did not open the unit list"));
        return;
    }
    QStringList keys;
    for (int n = dice_.between(0, 4); n > 0; --n) {
        const Qt::Key k = dice_.pick({Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home});
        QTest::keyClick(view->window()->windowHandle(), k);
        keys << QKeySequence(k).toString();
    }
    const int item = view->currentIndex().row();
    action_ += QStringLiteral(", %1, Return on %2").arg(keys.join(' '), list->itemText(item));
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Return);
    if (view->isVisible()) problem(QStringLiteral("the unit list stayed open after Return"));
    if (activations_.size() != 1 || activations_.front().index != item ||
        activations_.front().text != list->itemText(item))
        problem(QStringLiteral("Return on item %1 did not select it (%2 selections)")
                    .arg(item)
                    .arg(activations_.size()));
    count(QStringLiteral("unit: picked with the keyboard"));
}

void RandomUser::stepUnitWithoutList() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    const auto [k, name] = dice_.pick<std::pair<Qt::Key, const char*>>({{Qt::Key_Up, "Up"},
                                                                        {Qt::Key_Down, "Down"},
                                                                        {Qt::Key_PageUp, "PageUp"},
                                                                        {Qt::Key_PageDown, "PageDown"}});
    begin(QStringLiteral("%1 in the unit list (at %2)").arg(name, Shown(list->currentText())));
    clickAt(list, QPoint(6, list->height() / 2));
    key(k);
    count(QStringLiteral("unit: stepped"));
}

void RandomUser::openUnitListAndCancel() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    begin(QStringLiteral("open the unit list and close it with Escape"));
    unitForbidden_ = true;
    clickAt(list, QPoint(6, list->height() / 2));
    key(Qt::Key_F4);
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        problem(QStringLiteral("F4 did not open the unit list"));
        return;
    }
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Down);
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Escape);
    if (view->isVisible()) problem(QStringLiteral("Escape did not close the unit list"));
    count(QStringLiteral("unit: list cancelled"));
}

void RandomUser::typeIntoUnitList() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    // Sometimes exactly a list text: typing it still selects nothing.
    const QString typed = dice_.chance(0.3) ? list->itemText(dice_.below(list->count()))
                                            : QString(RandomCharacter(dice_)) + RandomCharacter(dice_);
    begin(
        QStringLiteral("type %1 into the unit list (was %2)").arg(Shown(typed), Shown(list->currentText())));
    unitForbidden_ = true;
    clickAt(list, QPoint(dice_.between(3, list->width() / 2), list->height() / 2));
    if (dice_.chance(0.5)) key(Qt::Key_A, Qt::ControlModifier);
    if (dice_.chance(0.3)) key(Qt::Key_Backspace);
    for (QChar c : typed) typeCharacter(c);
    count(QStringLiteral("unit: typed"));
}

// The mouse wheel over the closed list steps through the units.
void RandomUser::scrollUnitList() {
    auto* list = static_cast<QComboBox*>(control("cmb1"));
    const bool up = dice_.chance(0.5);
    begin(QStringLiteral("wheel %1 over the unit list (at %2)")
              .arg(up ? "up" : "down", Shown(list->currentText())));
    const QPointF inside(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent wheel(inside, list->mapToGlobal(inside), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    count(QStringLiteral("unit: wheel"));
}

// The text box's own menu (right click): undo, cut, copy, paste, delete,
// select all, or nothing (Escape).
void RandomUser::useContextMenu() {
    begin(QStringLiteral("right click"));
    QLineEdit* edit = focusEnteredBox();
    const QString clipboard = localised(RandomClipboardText(dice_));
    if (dice_.chance(0.5)) QApplication::clipboard()->setText(clipboard);
    action_ += QStringLiteral(" in %1 (%2, clipboard %3)")
                   .arg(edit->objectName(), Shown(edit->text()), Shown(QApplication::clipboard()->text()));
    bool menuSeen = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {  // not yet: look again
            timer.start(0);
            return;
        }
        menuSeen = true;
        QList<QAction*> usable;
        for (QAction* item : menu->actions())
            if (item->isEnabled() && !item->isSeparator() && item->isVisible()) usable.append(item);
        const int chosen = dice_.below(static_cast<int>(usable.size()) + 1);
        if (chosen == usable.size()) {
            action_ += ", Escape";
            QTest::keyClick(menu->windowHandle(), Qt::Key_Escape);
        } else {
            // Walk to the item with the arrow keys and take it with Return.
            action_ += ", " + usable[chosen]->text().remove('&');
            if (verbose) qInfo("  %s", qUtf8Printable(action_));
            for (int guard = 0; menu->activeAction() != usable[chosen] && guard < 20; ++guard)
                QTest::keyClick(menu->windowHandle(), Qt::Key_Down);
            QTest::keyClick(menu->windowHandle(), dice_.pick({Qt::Key_Return, Qt::Key_Enter}),
                            dice_.chance(0.5) ? Qt::NoModifier : Qt::KeypadModifier);
        }
        if (QApplication::activePopupWidget() == menu) {
            problem(QStringLiteral("the menu stayed open"));
            menu->close();
        }
    });
    timer.start(0);
    QWidget* window = edit->window();
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                      edit->mapTo(window, QPoint(dice_.between(2, edit->width() - 3), edit->height() / 2)));
    timer.stop();
    if (!menuSeen) problem(QStringLiteral("no menu opened"));
    count(QStringLiteral("calculator: context menu"));
}

// Double clicks on controls belong to them: captions, greyed boxes, the
// drawing's frame, the boxes, the option, the unit list. None is the window's
// background, and none opens anything.
void RandomUser::doubleClickControl() {
    Form2* form = calculator();
    QList<QWidget*> targets;
    for (QWidget* child : form->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!child->isVisible()) continue;
        if ((name.startsWith("lbl") || name.startsWith("txt") || name.startsWith("chk") || name == "cmb1"))
            targets.append(child);
    }
    targets.append(control("Frame1"));
    QWidget* target = targets[dice_.below(static_cast<int>(targets.size()))];
    const QPoint spot = target->objectName() == "Frame1"   ? QPoint(4, target->height() - 4)
                        : qobject_cast<QCheckBox*>(target) ? QPoint(6, target->height() / 2)
                                                           : target->rect().center();
    begin(QStringLiteral("double click %1%2")
              .arg(target->objectName(), target->isEnabled() ? "" : " (greyed)"));
    unitForbidden_ = true;
    if (whileModal([&] { doubleClickAt(target, spot); }, [](QWidget*) {}))
        problem(QStringLiteral("a double click on %1 opened a window").arg(target->objectName()));
    count(QStringLiteral("calculator: control double clicked"));
}

void RandomUser::pressAns() {
    const int way = dice_.weighted({5, 3, 1, 1});
    // Return and Enter press a focused Info or Exit, not Ans.
    if (way == 1 && focusOnInfoOrExit()) return pressKeyOnFocus(Qt::Key_Return);
    if (way == 2 && focusOnInfoOrExit()) return pressKeyOnFocus(Qt::Key_Enter, Qt::KeypadModifier);
    switch (way) {
        case 0:
            begin(QStringLiteral("click Ans"));
            expectAns();
            clickAt(control("cmd1"), control("cmd1")->rect().center());
            break;
        case 1:
            begin(QStringLiteral("Return (focus on %1)").arg(Name(QApplication::focusWidget())));
            expectAns();
            key(Qt::Key_Return);
            break;
        case 2:
            begin(QStringLiteral("keypad Enter (focus on %1)").arg(Name(QApplication::focusWidget())));
            expectAns();
            key(Qt::Key_Enter, Qt::KeypadModifier);
            break;
        default:
            begin(QStringLiteral("Space on Ans"));
            expectAns();
            control("cmd1")->setFocus(Qt::TabFocusReason);
            key(Qt::Key_Space);
            break;
    }
}

void RandomUser::expectAns() {
    editsForbidden_ = true;
    unitForbidden_ = true;
    Form2* form = calculator();
    const InputTexts texts = screenTexts();
    action_ += QStringLiteral(" [%1%2]").arg(optionTicked() ? "ticked; " : "").arg([&] {
        QStringList shown;
        for (const std::string& text : texts) shown << Shown(Q(text));
        return shown.join(' ');
    }());
    count(QStringLiteral("Ans"));
    if (expected_.unit == kNoUnit) {
        const MessageAnswer answer = answerNextMessage(MessageButtons::OkCancel);
        expectMessage(kUnitMissingMessage, MessageIcon::Exclamation, MessageButtons::OkCancel, form);
        count(QStringLiteral("Ans: no unit, ") + (answer == MessageAnswer::Ok ? "OK" : "cancelled"));
        if (answer != MessageAnswer::Ok) return;
        expected_.unit = kDefaultUnitSuffix;
        expectedUnitListText_ = Q(kDefaultUnitText);
    }
    const AnsOutcome outcome =
        ComputeAnswers(expected_.shape, texts, optionTicked(), expected_.values, separator());
    expected_.applyAns(outcome, separator());
    if (outcome.message != AnsMessage::None)
        expectMessage(MessageText(outcome.message), MessageIcon::Exclamation, MessageButtons::Ok, form);
    if (outcome.showFirstLine) count(QStringLiteral("Ans: first line shown"));
    if (outcome.message == AnsMessage::InputError) count(QStringLiteral("Ans: input error"));
    if (outcome.message == AnsMessage::ThinWallCondition) count(QStringLiteral("Ans: t<<dm"));
    if (outcome.secondLine == SecondLine::Full) count(QStringLiteral("Ans: second line"));
    if (outcome.secondLine == SecondLine::ZOnly) count(QStringLiteral("Ans: second Z"));
}

void ExpectedCalculator::applyAns(const AnsOutcome& outcome, char separator) {
    const auto text = [separator](float value) {
        return QString::fromStdString(SingleToText(value, separator));
    };
    values = outcome.values;
    if (outcome.showFirstLine)
        answers = {text(values.resA), text(values.resI), text(values.resZ), text(values.resK)};
    switch (outcome.secondLine) {
        case SecondLine::Full:
            secondLineShown.fill(true);
            secondLine = {text(values.resA2), text(values.resI2), text(values.resZ2), text(values.resK2)};
            break;
        case SecondLine::ZOnly:
            secondLineShown[2] = true;
            secondLine[2] = text(values.resZ2);
            break;
        case SecondLine::Untouched: break;
    }
}

void RandomUser::pressSpace() { pressKeyOnFocus(Qt::Key_Space); }

// Space anywhere, or Return and Enter on a button: the focused control acts.
void RandomUser::pressKeyOnFocus(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    const QString name = focus ? focus->objectName() : QString();
    if (name == "oc2") return openInformation(calculator(), k, modifiers);
    begin(QStringLiteral("%1 (focus on %2)").arg(QKeySequence(k).toString(), Name(focus)));
    if (name == "cmd1") {
        expectAns();
    } else if (name == "oc3") {
        expectedEnds_ = 1;  // Exit: the fake platform records the request and goes on
    } else if (qobject_cast<QComboBox*>(focus) ||
               (focus && qobject_cast<QComboBox*>(focus->parentWidget()))) {
        unitForbidden_ = true;
    }
    key(k, modifiers);
    count(QStringLiteral("calculator: Space"));
}

void RandomUser::moveFocus() {
    const int steps = dice_.between(1, 4);
    const bool back = dice_.chance(0.3);
    begin(QStringLiteral("%1 ×%2 from %3")
              .arg(back ? "Shift+Tab" : "Tab")
              .arg(steps)
              .arg(Name(QApplication::focusWidget())));
    for (int n = 0; n < steps; ++n)
        key(back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    action_ += " to " + Name(QApplication::focusWidget());
    count(QStringLiteral("calculator: focus moved"));
}

void RandomUser::openFormula() {
    Form2* form = calculator();
    const std::size_t frameIndex = static_cast<std::size_t>(dice_.below(4));
    auto* frame = static_cast<QGroupBox*>(control(kFrames[frameIndex]));
    // Either the frame itself (border, caption) or one of its labels.
    QList<QWidget*> labels;
    for (QWidget* child : frame->findChildren<QWidget*>()) {
        if (child->isVisible()) labels.append(child);
    }
    const bool onFrame = dice_.chance(0.75) || labels.isEmpty();
    const int w = frame->width(), h = frame->height();
    QWidget* target = frame;
    QPoint spot;
    if (onFrame) {
        spot = dice_.pick<QPoint>({{2, h / 2}, {w - 3, h / 2}, {w / 2, h - 3}, {12, 4}});
    } else {
        target = labels[dice_.below(static_cast<int>(labels.size()))];
        spot = target->rect().center();
    }
    const char* kind = kFormulaKinds[frameIndex];
    begin(QStringLiteral("double click %1 of %2")
              .arg(onFrame ? "the border" : target->objectName(), frame->objectName()));
    const std::string kindBefore = module_.FormulaKind;
    const bool opened = whileModal(
        [&] { doubleClickAt(target, spot); },
        [&](QWidget* modal) {
            auto* viewer = qobject_cast<Form3*>(modal);
            if (!viewer) {
                problem("a modal " + Name(modal) + " opened instead of the viewer");
                return;
            }
            if (viewer->parentWidget() != form)
                problem(QStringLiteral("the viewer stands over %1").arg(Name(viewer->parentWidget())));
            if (viewer->windowTitle() != Q(FormulaCaption(kind)))
                problem(QStringLiteral("the viewer is captioned %1").arg(viewer->windowTitle()));
            const int picture = FormulaPictureIndex(expected_.shape, kind);
            if (viewer->shownPicture() != picture)
                problem(QStringLiteral("the viewer shows picture %1, expected %2")
                            .arg(viewer->shownPicture())
                            .arg(picture));
            auto* formula = viewer->findChild<QLabel*>(QStringLiteral("Image1"));
            if (picture >= 0 && formula && dice_.chance(0.6)) {
                action_ += ", closed by a double click on the formula";
                doubleClickAt(formula, QPoint(formula->width() / 2, formula->height() / 2));
                if (viewer->isVisible())
                    problem(QStringLiteral("the formula's double click did not close the viewer"));
            } else if (dice_.chance(0.5)) {
                action_ += ", closed by Escape";
                QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
            } else {
                action_ += ", closed by its close box";
                if (!viewer->close()) problem(QStringLiteral("the viewer refused to close"));
            }
        });
    if (opened != onFrame)
        problem(onFrame ? QStringLiteral("no viewer opened")
                        : QStringLiteral("a double click on a label opened a viewer"));
    if (onFrame && module_.FormulaKind != kind)
        problem(QStringLiteral("FormulaKind is %1, expected %2").arg(Q(module_.FormulaKind), kind));
    if (!onFrame && module_.FormulaKind != kindBefore) problem(QStringLiteral("FormulaKind changed"));
    editsForbidden_ = true;
    unitForbidden_ = true;
    count(onFrame ? QStringLiteral("viewer opened") : QStringLiteral("viewer: label double clicked"));
}

bool RandomUser::focusOnInfoOrExit() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control("oc2") || focus == control("oc3"));
}

void RandomUser::openInformation(QWidget* owner, Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QWidget* button = control("oc2");
    const bool byKey = QApplication::focusWidget() == button;
    begin(byKey ? QStringLiteral("%1 on Info").arg(QKeySequence(k).toString())
                : QStringLiteral("click Info"));
    editsForbidden_ = true;
    unitForbidden_ = true;
    const bool opened = whileModal(
        [&] {
            if (byKey)
                key(k, modifiers);
            else
                clickAt(button, button->rect().center());
        },
        [&](QWidget* modal) {
            auto* info = qobject_cast<Form4*>(modal);
            if (!info) {
                problem("a modal " + Name(modal) + " opened instead of the information window");
                return;
            }
            if (info->parentWidget() != owner)
                problem(
                    QStringLiteral("the information window stands over %1").arg(Name(info->parentWidget())));
            switch (dice_.below(4)) {
                case 0:
                    action_ += ", closed by Escape";
                    QTest::keyClick(info->windowHandle(), Qt::Key_Escape);
                    break;
                case 1: {
                    auto* link = info->findChild<QLabel*>(dice_.pick({"Label6", "Label8"}));
                    if (!link) {
                        problem(QStringLiteral("no address in the information window"));
                        break;
                    }
                    action_ += ", clicked " + link->objectName();
                    clickAt(link, QPoint(4, link->height() / 2));
                    expectedUrls_ = 1;
                    break;
                }
                case 2: {
                    action_ += ", double clicked its background";
                    const MessageAnswer answer = answerNextMessage(MessageButtons::YesNo);
                    expectMessage(kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo, info);
                    if (answer == MessageAnswer::Yes) expectedEnds_ = 1;
                    doubleClickAt(info, emptySpot(info));
                    break;
                }
                default: break;
            }
            if (info->isVisible() && !info->close())
                problem(QStringLiteral("the information window refused to close"));
        });
    if (!opened) problem(QStringLiteral("the information window did not open"));
    count(QStringLiteral("information opened"));
}

void RandomUser::doubleClickBackground(QWidget* window) {
    const QPoint spot = window == watched_ ? calculatorBackground_ : emptySpot(window);
    begin(QStringLiteral("double click the background of %1").arg(window->objectName()));
    const MessageAnswer answer = answerNextMessage(MessageButtons::YesNo);
    action_ += answer == MessageAnswer::Yes ? ", answer Yes" : ", answer No";
    editsForbidden_ = true;
    unitForbidden_ = true;
    expectMessage(kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo, window);
    if (answer == MessageAnswer::Yes) expectedEnds_ = 1;
    doubleClickAt(window, spot);
    count(QStringLiteral("exit question"));
}

void RandomUser::backToSelection() {
    begin(QStringLiteral("double click the drawing"));
    QWidget* drawing = control("img1");
    doubleClickAt(drawing, drawing->rect().center());
    inCalculator_ = false;
    expectedSelection_ = kNoShape;
    count(QStringLiteral("back to the selection"));
}

// --- helpers -----------------------------------------------------------------------------

QLineEdit* RandomUser::box(int slot) const {
    return static_cast<QLineEdit*>(control(QStringLiteral("txt%1").arg(slot)));
}

QWidget* RandomUser::control(const QString& name) const {
    QWidget* window = shell_.mainWindow();
    QWidget* widget = window ? window->findChild<QWidget*>(name) : nullptr;
    if (!widget) qFatal("no control %s in %s", qPrintable(name), qPrintable(Name(window)));
    return widget;
}

InputTexts RandomUser::screenTexts() const {
    InputTexts texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[static_cast<std::size_t>(slot - 1)] = box(slot)->text().toStdString();
    return texts;
}

bool RandomUser::optionTicked() const {
    const QString name = OptionName(*FindShape(expected_.shape));
    return !name.isEmpty() && static_cast<QCheckBox*>(control(name))->checkState() == Qt::Checked;
}

char RandomUser::separator() const {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.front().unicode() < 0x80 ? point.front().toLatin1() : '.';
}

// Keys, like the mouse, go through the window that has the keyboard (the open
// popup, the modal window, or the active window), so that Qt delivers them,
// with their shortcuts, to its focus widget as it does for real input.
QWindow* RandomUser::keyboardWindow() const {
    QWidget* window = QApplication::activePopupWidget();
    if (!window) window = QApplication::activeModalWidget();
    if (!window) window = QApplication::activeWindow();
    if (!window) window = shell_.mainWindow();
    return window->window()->windowHandle();
}

// Where the locale writes a comma between whole and fraction, people mostly
// type the comma; sometimes the point anyway.
QString RandomUser::localised(QString text, double share) {
    const char point = separator();
    if (point != '.' && dice_.chance(share)) text.replace('.', QChar(point));
    return text;
}

void RandomUser::typeCharacter(QChar c) {
    if (!QApplication::focusWidget()) {
        problem(QStringLiteral("no widget has the focus to type %1 into").arg(c));
        return;
    }
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
        QTest::keyClick(keyboardWindow(), static_cast<char>(c.unicode()));
    else
        QTest::sendKeyEvent(QTest::Click, keyboardWindow(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void RandomUser::key(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(keyboardWindow(), k, modifiers);
}

// Mouse input goes through the window, so that Qt finds the widget under the
// pointer and passes the event on as it does for real input.
void RandomUser::clickAt(QWidget* widget, QPoint local) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

void RandomUser::doubleClickAt(QWidget* widget, QPoint local) {
    QWidget* window = widget->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

MessageAnswer RandomUser::answerNextMessage(MessageButtons buttons) {
    // No scripted answer is the box closed by its close button.
    switch (buttons) {
        case MessageButtons::OkCancel: {
            const int choice = dice_.weighted({6, 3, 1});
            if (choice == 0) platform_.answer(MessageAnswer::Ok);
            if (choice == 1) platform_.answer(MessageAnswer::Cancel);
            return choice == 0 ? MessageAnswer::Ok : MessageAnswer::Cancel;
        }
        case MessageButtons::YesNo: {
            const int choice = dice_.weighted({3, 5, 2});
            if (choice == 0) platform_.answer(MessageAnswer::Yes);
            if (choice == 1) platform_.answer(MessageAnswer::No);
            return choice == 0 ? MessageAnswer::Yes : MessageAnswer::No;
        }
        case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

void RandomUser::expectMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                               QWidget* parent) {
    expectedMessages_.append({{Q(text), Q(kMessageTitle), icon, buttons}, parent});
}

bool RandomUser::whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside) {
    bool seen = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // Not yet (the key that opens it is still being pressed), or a real
        // message box, which its own answerer closes: look again.
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || qobject_cast<QMessageBox*>(modal)) {
            timer.start(0);
            return;
        }
        seen = true;
        inside(modal);
        if (QWidget* left = QApplication::activeModalWidget()) {
            left->close();
            if (left->isVisible()) left->hide();
        }
    });
    timer.start(0);
    open();
    timer.stop();
    return seen;
}

void RandomUser::checkOneMainWindow(QWidget* expected) {
    int mainWindows = 0;
    int shown = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form1*>(window) || qobject_cast<Form2*>(window)) ++mainWindows;
        if (window->isVisible()) ++shown;
    }
    if (mainWindows != 1)
        problem(QStringLiteral("%1 selection and calculator windows exist").arg(mainWindows));
    if (shown != 1) problem(QStringLiteral("%1 windows are shown").arg(shown));
    if (!expected->isVisible()) problem(QStringLiteral("the main window is hidden"));
    if (QWidget* modal = QApplication::activeModalWidget())
        problem("a modal window is left open: " + Name(modal));
    if (QWidget* popup = QApplication::activePopupWidget()) problem("a popup is left open: " + Name(popup));
    if (QApplication::activeWindow() != expected)
        problem("the main window cannot be activated; " + Name(QApplication::activeWindow()) + " is active");
}

void RandomUser::checkMessages() {
    const QList<MessageRequest> shown = platform_.messages.mid(messagesBefore_);
    const QList<QWidget*> parents = platform_.messageParents.mid(messagesBefore_);
    bool same = shown.size() == expectedMessages_.size();
    for (qsizetype i = 0; same && i < shown.size(); ++i)
        same = shown[i] == expectedMessages_[i].request && parents[i] == expectedMessages_[i].parent;
    if (same) return;
    QStringList seen, expected;
    for (const MessageRequest& request : shown) seen << request.text;
    for (const ExpectedMessage& message : expectedMessages_) expected << message.request.text;
    problem(
        QStringLiteral("message boxes [%1], expected [%2] (or their title, icon, buttons or owner differ)")
            .arg(seen.join(" | "), expected.join(" | ")));
}

QPoint RandomUser::emptySpot(QWidget* window) const {
    for (int y = window->height() - 3; y > 0; y -= 4) {
        for (int x = 3; x < window->width(); x += 4) {
            if (!window->childAt(x, y)) return {x, y};
        }
    }
    qFatal("no empty spot in %s", qPrintable(Name(window)));
}

}  // namespace velmora::ui::testing
