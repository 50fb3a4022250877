// A simulated user who drives the whole program through the real shell: types,
// deletes, pastes, ticks, picks units, presses Ans, answers message boxes,
// opens and closes the formula viewer and the information window, and goes
// back to the selection to choose again. After every action it checks what the
// windows show against what the user's actions must have led to.
//
// random_user.cpp          the run: shapes in turn, one action after another, the report
// expected_calculator.cpp  the model of what the calculator must show
// selection_actions.cpp    the selection window's actions and the ones both windows share
// calculator_actions.cpp   the calculator's actions
// details_actions.cpp     the details window, opened, used and closed within one action
// checks.cpp               the checks after each action and the expectations actions state
// input.cpp                finding controls, keys, clicks, message answers (and the
//                          test kit's tests/ui/support/user_input.h)
//
// A new action is one function taking the RandomUser and one row in its
// window's table.
#pragma once

#include <QList>
#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <functional>
#include <span>
#include <string>

#include "core/ans.h"
#include "core/catalogue.h"
#include "core/module1.h"
#include "tests/ui/random_user/random_texts.h"
#include "tests/ui/support/fake_platform.h"
#include "ui/common/platform.h"

class QWidget;
class QWindow;
class QLineEdit;

namespace velmora::ui {
class Shell;
class Form1;
class Form2;
}  // namespace velmora::ui

namespace velmora::ui::testing {

class RealMessageBoxes;

// What the calculator must show, kept from the user's actions alone.
struct ExpectedCalculator {
    ShapeType shape = kNoShape;
    std::array<QString, 4> answers;     // ansal, ansil, anszl, anskl
    std::array<QString, 4> secondLine;  // unal, unil, unzl, unkl
    std::array<bool, 4> secondLineShown{};
    SectionValues values;
    std::string unit;

    void open(ShapeType openedShape);
    void clearResults();                                       // what every edit does
    void applyAns(const AnsOutcome& outcome, char separator);  // what Ans shows for a computed outcome
};

class RandomUser;

// One thing a user does in a window, and how often relative to the window's
// other actions. An action starts with RandomUser::begin, acts through the
// input helpers and states what it expects; the run loop then checks.
struct Action {
    int weight;
    void (*act)(RandomUser& user);
};

// The actions of each main window (selection_actions.cpp, calculator_actions.cpp).
std::span<const Action> SelectionActions();
std::span<const Action> CalculatorActions();

// Actions the run loop calls itself, and the ones both main windows share.
void ClickPicture(RandomUser& user, int shape);
void OpenCalculator(RandomUser& user, int shape);  // from the selection, with `shape` chosen
void BackToSelection(RandomUser& user);
// Info pressed by a click, or by the key `k` when it has the focus.
void OpenInformation(RandomUser& user, QWidget* owner, Qt::Key k = Qt::Key_Space,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Return and Enter press a focused Info or Exit instead of the window's default button.
bool FocusOnInfoOrExit(const RandomUser& user);
void DoubleClickBackground(RandomUser& user, QWidget* window);
void UseDetails(RandomUser& user);  // details_actions.cpp: opens, uses and closes the details window

// Descriptions for the log and the failure report.
QString Shown(const QString& text);  // a text short enough for a log line
QString Name(const QWidget* widget);
// The role of each slot of a shape: 'e' entered, 'd' derived, '-' unused.
std::array<char, kSlotCount> SlotRoles(const ShapeEntry& shape);
QString OptionName(const ShapeEntry& shape);  // the shape's check box, or empty

class RandomUser {
public:
    RandomUser(Shell& shell, Module1& module, FakePlatform& platform, Dice& dice);
    ~RandomUser();

    // Acts `count` times, visiting every shape with about the same share of
    // the actions. Stops at the first fault; false then, with failure() set.
    bool run(int count);

    QString failure() const { return failure_; }
    int actionsDone() const { return actionsDone_; }
    // How often each kind of action and each outcome occurred.
    const QMap<QString, int>& tally() const { return tally_; }

    // Prints every action as it starts (for replaying a crash).
    bool verbose = false;
    // When the program's message boxes are real, where their faults are told.
    RealMessageBoxes* realBoxes = nullptr;

    // --- for the actions: the run (random_user.cpp) ----------------------------------
    void begin(const QString& description);  // names the action and resets its expectations
    void problem(const QString& text) { problems_.append(text); }
    void count(const QString& what) { ++tally_[what]; }

    // --- for the actions: what they expect (checks.cpp) ------------------------------
    void expectAns();  // the Ans operation for the texts now on screen
    void expectMessage(std::string_view text, MessageIcon icon, MessageButtons buttons, QWidget* parent);

    // --- for the actions: the windows and input (input.cpp) --------------------------
    Form1* selection() const;
    Form2* calculator() const;
    QLineEdit* focusEnteredBox();  // a random editable box, given the focus as a user does
    QLineEdit* box(int slot) const;
    QWidget* control(const QString& name) const;
    InputTexts screenTexts() const;
    bool optionTicked() const;
    char separator() const;
    QString localised(QString text, double share = 0.8);
    QWindow* keyboardWindow() const;
    void typeCharacter(QChar c);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickAt(QWidget* widget, QPoint local);
    void doubleClickAt(QWidget* widget, QPoint local);
    // Scripts a random answer for the next box, or none (the box is closed);
    // returns the answer the window will get.
    MessageAnswer answerNextMessage(MessageButtons buttons);

    // --- the state the actions read and write ----------------------------------------
    // One selection in the unit list: the list's text at that moment.
    struct Activation {
        int index;
        QString text;
    };

    Shell& shell;
    Module1& module;
    FakePlatform& platform;
    Dice& dice;

    ExpectedCalculator expected;
    ShapeType expectedSelection = kNoShape;
    QString expectedUnitListText;  // when an action determines it

    // Expectations of the action under way.
    QList<Activation> activations;  // the unit list's selections, as observed
    int expectedEnds = 0;
    qsizetype expectedUrls = 0;
    bool editsForbidden = false;  // the action must not change any input
    bool unitForbidden = false;   // the action must not select a unit

    bool inCalculator = false;  // which main window the actions so far must have led to
    bool opening = false;       // the action opens a new calculator
    QPointer<Form2> watched;
    QPoint calculatorBackground{-1, -1};

    QString action;  // the description of the action under way, for the log

private:
    // One change of an entered input or click of the option, as the window's
    // handler saw it: the texts and the option's state right after.
    struct Change {
        InputTexts texts;
        bool ticked;
    };
    struct ExpectedMessage {
        MessageRequest request;
        QWidget* parent;
    };

    // --- the run (random_user.cpp) ----------------------------------------------------
    bool chooseShape(int shape);                // several actions, ending in the calculator for `shape`
    void act(std::span<const Action> actions);  // one action, drawn by weight
    bool finish();                              // settles, checks; false on a fault
    QString recentActions() const;

    // --- the checks (checks.cpp) ------------------------------------------------------
    void checkSelection();
    void watchCalculator();
    void checkOpenedCalculator();
    void checkCalculator();
    void checkOneMainWindow(QWidget* main);
    void checkMessages();

    // Observations and expectations of the action under way.
    QList<Change> changes_;
    int textChanges_ = 0;
    QList<ExpectedMessage> expectedMessages_;
    qsizetype messagesBefore_ = 0;
    int endsBefore_ = 0;
    qsizetype urlsBefore_ = 0;

    std::deque<QString> recent_;
    QStringList problems_;
    QString failure_;
    int actionsDone_ = 0;
    QMap<QString, int> tally_;
};

}  // namespace velmora::ui::testing
