#include "tests/ui/random_user/random_user.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cstring>
#include <map>

#include "core/messages.h"
#include "core/thickness.h"
#include "core/units.h"
#include "tests/ui/random_user/real_message_boxes.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/form2.h"
#include "ui/common/text.h"
#include "ui/selection/form1.h"
#include "ui/shell/shell.h"

namespace velmora::ui::testing {
namespace {

const std::array<QString, 4> kAnswerLabels{"ansal", "ansil", "anszl", "anskl"};
const std::array<QString, 4> kUnitLabels{"aunil", "iunil", "zunil", "kunil"};
const std::array<QString, 4> kSecondLineLabels{"unal", "unil", "unzl", "unkl"};

// Results may hold NaN or infinities stored before a failing step: compare bits.
bool SameBits(const SectionValues& a, const SectionValues& b) {
    static_assert(sizeof(SectionValues) == 19 * sizeof(float));
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void RandomUser::checkSelection() {
    Form1* form = selection();
    checkOneMainWindow(form);
    if (module.SelectedShape != expectedSelection)
        problem(QStringLiteral("SelectedShape is %1, expected %2")
                    .arg(module.SelectedShape)
                    .arg(expectedSelection));
    const QString chosen = expectedSelection == kNoShape ? QString() : QString::number(expectedSelection);
    if (const QString shown = ShownChoice(form); shown != chosen)
        problem(QStringLiteral("the pictures show [%1] chosen, expected [%2]").arg(shown, chosen));
    checkMessages();
}

void RandomUser::watchCalculator() {
    Form2* form = calculator();
    watched = form;
    calculatorBackground = EmptySpot(form);
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
        activations.append({index, list->currentText()});
    });
}

void RandomUser::checkOpenedCalculator() {
    const ShapeEntry* shape = FindShape(expected.shape);
    if (!shape) return;
    if (module.SelectedShape != expected.shape)
        problem(
            QStringLiteral("SelectedShape is %1, expected %2").arg(module.SelectedShape).arg(expected.shape));
    const auto roles = SlotRoles(*shape);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (roles[static_cast<std::size_t>(slot - 1)] != '-' && box(slot)->text() != "0")
            problem(QStringLiteral("txt%1 opens with %2, not 0").arg(slot).arg(Shown(box(slot)->text())));
    }
    for (const InputSlot& input : shape->entered) {
        auto* caption = qobject_cast<QLabel*>(control(QStringLiteral("lbl%1").arg(input.slot)));
        if (caption && caption->text() != ToQString(input.caption))
            problem(QStringLiteral("lbl%1 reads %2, not %3")
                        .arg(input.slot)
                        .arg(caption->text(), ToQString(input.caption)));
    }
    if (optionTicked()) problem(QStringLiteral("the option opens ticked"));
    const QString listText = static_cast<QComboBox*>(control("cmb1"))->currentText();
    if (listText != ToQString(kDefaultUnitText))
        problem(QStringLiteral("the unit list opens with %1").arg(Shown(listText)));
}

void RandomUser::checkCalculator() {
    Form2* form = calculator();
    checkOneMainWindow(form);
    const ShapeEntry* shape = FindShape(expected.shape);
    if (!shape) {
        problem(QStringLiteral("no shape %1").arg(expected.shape));
        return;
    }

    // Every change of an input or click of the option clears the results;
    // the hollow ellipse warns for every inconsistent state of its entries.
    if (textChanges_ > 0 || !changes_.isEmpty()) {
        if (editsForbidden) problem(QStringLiteral("the action changed an input"));
        expected.clearResults();
        count(QStringLiteral("results cleared by an edit"));
    }
    for (const Change& change : changes_) {
        if (velmora::UpdateThicknessInputs(expected.shape, change.texts, change.ticked, separator())
                .wallNotConstant) {
            expectMessage(kWallNotConstantMessage, MessageIcon::Exclamation, MessageButtons::Ok, form);
            count(QStringLiteral("wall not constant"));
        }
    }
    // Only a selection in the list sets the unit, from the list's text.
    for (const Activation& activation : activations) {
        if (unitForbidden)
            problem(QStringLiteral("the action selected item %1 of the unit list").arg(activation.index));
        expected.unit = UnitSuffixForText(activation.text.toStdString());
    }

    for (std::size_t i = 0; i < 4; ++i) {
        const auto* answer = qobject_cast<QLabel*>(control(kAnswerLabels[i]));
        const auto* unit = qobject_cast<QLabel*>(control(kUnitLabels[i]));
        const auto* second = qobject_cast<QLabel*>(control(kSecondLineLabels[i]));
        if (!answer || !unit || !second) return;
        if (answer->text() != expected.answers[i])
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kAnswerLabels[i], answer->text(), expected.answers[i]));
        if (unit->text() != ToQString(expected.unit))
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kUnitLabels[i], unit->text(), ToQString(expected.unit)));
        if (second->text() != expected.secondLine[i])
            problem(QStringLiteral("%1 shows %2, expected %3")
                        .arg(kSecondLineLabels[i], Shown(second->text()), Shown(expected.secondLine[i])));
        if (second->isVisible() != expected.secondLineShown[i])
            problem(QStringLiteral("%1 is %2")
                        .arg(kSecondLineLabels[i], second->isVisible() ? "shown" : "hidden"));
    }
    if (module.UnitSuffix != expected.unit)
        problem(QStringLiteral("UnitSuffix is %1, expected %2")
                    .arg(ToQString(module.UnitSuffix), ToQString(expected.unit)));
    if (!SameBits(module.values, expected.values))
        problem(QStringLiteral("the stored values differ from the computed ones"));
    if (!expectedUnitListText.isEmpty()) {
        const QString listText = static_cast<QComboBox*>(control("cmb1"))->currentText();
        if (listText != expectedUnitListText)
            problem(QStringLiteral("the unit list shows %1, expected %2")
                        .arg(Shown(listText), expectedUnitListText));
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
        velmora::UpdateThicknessInputs(expected.shape, screenTexts(), optionTicked(), separator());
    std::map<int, QString> derivedTexts;
    for (const ThicknessWrite& write : derived.writes) derivedTexts[write.slot] = ToQString(write.text);
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
    const QList<MessageRequest> shown = platform.messages.mid(messagesBefore_);
    const QList<QWidget*> parents = platform.messageParents.mid(messagesBefore_);
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

void RandomUser::expectAns() {
    editsForbidden = true;
    unitForbidden = true;
    Form2* form = calculator();
    const InputTexts texts = screenTexts();
    action += QStringLiteral(" [%1%2]").arg(optionTicked() ? "ticked; " : "").arg([&] {
        QStringList shown;
        for (const std::string& text : texts) shown << Shown(ToQString(text));
        return shown.join(' ');
    }());
    count(QStringLiteral("Ans"));
    if (expected.unit == kNoUnit) {
        const MessageAnswer answer = answerNextMessage(MessageButtons::OkCancel);
        expectMessage(kUnitMissingMessage, MessageIcon::Exclamation, MessageButtons::OkCancel, form);
        count(QStringLiteral("Ans: no unit, ") + (answer == MessageAnswer::Ok ? "OK" : "cancelled"));
        if (answer != MessageAnswer::Ok) return;
        expected.unit = kDefaultUnitSuffix;
        expectedUnitListText = ToQString(kDefaultUnitText);
    }
    const AnsOutcome outcome =
        ComputeAnswers(expected.shape, texts, optionTicked(), expected.values, separator());
    expected.applyAns(outcome, separator());
    if (outcome.message != AnsMessage::None)
        expectMessage(MessageText(outcome.message), MessageIcon::Exclamation, MessageButtons::Ok, form);
    if (outcome.showFirstLine) count(QStringLiteral("Ans: first line shown"));
    if (outcome.message == AnsMessage::InputError) count(QStringLiteral("Ans: input error"));
    if (outcome.message == AnsMessage::ThinWallCondition) count(QStringLiteral("Ans: t<<dm"));
    if (outcome.secondLine == SecondLine::Full) count(QStringLiteral("Ans: second line"));
    if (outcome.secondLine == SecondLine::ZOnly) count(QStringLiteral("Ans: second Z"));
}

void RandomUser::expectMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                               QWidget* parent) {
    expectedMessages_.append({{ToQString(text), ToQString(kMessageTitle), icon, buttons}, parent});
}

}  // namespace velmora::ui::testing
