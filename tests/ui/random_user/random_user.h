// A simulated user who drives the whole program through the real shell: types,
// deletes, pastes, ticks, picks units, presses Ans, answers message boxes,
// opens and closes the formula viewer and the information window, and goes
// back to the selection to choose again. After every action it checks what the
// windows show against what the user's actions must have led to.
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
#include <string>

#include "core/ans.h"
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

private:
    // One change of an entered input or click of the option, as the window's
    // handler saw it: the texts and the option's state right after.
    struct Change {
        InputTexts texts;
        bool ticked;
    };
    // One selection in the unit list: the list's text at that moment.
    struct Activation {
        int index;
        QString text;
    };
    struct ExpectedMessage {
        MessageRequest request;
        QWidget* parent;
    };

    // --- the run --------------------------------------------------------------
    void begin(const QString& description);
    bool finish();  // settles, checks; false on a fault
    void problem(const QString& text) { problems_.append(text); }
    void count(const QString& what) { ++tally_[what]; }

    // --- the selection window ----------------------------------------------------
    Form1* selection() const;
    bool chooseShape(int shape);  // several actions, ending in the calculator for `shape`
    void clickPicture(int shape);
    void pressOkWithNothingChosen();
    void openCalculator(int shape);
    void checkSelection();

    // --- the calculator ----------------------------------------------------------
    Form2* calculator() const;
    void calculatorAction();
    void watchCalculator();
    void checkOpenedCalculator();
    void checkCalculator();

    void typeCharacters();
    void deleteCharacters();
    void paste();
    void retype();
    void fillInDimensions();
    void commitJapanese();
    void tickOption();
    void pickUnitWithMouse();
    void pickUnitWithKeyboard();
    void stepUnitWithoutList();
    void openUnitListAndCancel();
    void typeIntoUnitList();
    void scrollUnitList();
    void useContextMenu();
    void doubleClickControl();
    void pressAns();
    void pressSpace();
    void pressKeyOnFocus(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void moveFocus();
    void openFormula();
    void openInformation(QWidget* owner, Qt::Key k = Qt::Key_Space,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool focusOnInfoOrExit() const;
    void openCalculatorInformation();
    void doubleClickBackground(QWidget* window);
    void doubleClickCalculatorBackground();
    void backToSelection();

    // Expectations of the Ans operation for the texts now on screen.
    void expectAns();

    // --- helpers -------------------------------------------------------------------
    QLineEdit* focusEnteredBox();  // a random editable box, given the focus as a user does
    QLineEdit* box(int slot) const;
    QWidget* control(const QString& name) const;
    InputTexts screenTexts() const;
    bool optionTicked() const;
    char separator() const;
    QString localised(QString text, double share = 0.8);
    QString number(float value) const;
    QWindow* keyboardWindow() const;
    void typeCharacter(QChar c);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickAt(QWidget* widget, QPoint local);
    void doubleClickAt(QWidget* widget, QPoint local);
    // Scripts a random answer for the next box, or none (the box is closed);
    // returns the answer the window will get.
    MessageAnswer answerNextMessage(MessageButtons buttons);
    void expectMessage(std::string_view text, MessageIcon icon, MessageButtons buttons, QWidget* parent);
    // Runs `open`, which must show a modal window and block; `inside` acts on
    // it. Whatever is still open afterwards is closed. Whether a modal window appeared.
    bool whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside);
    void checkOneMainWindow(QWidget* expected);
    void checkMessages();
    QPoint emptySpot(QWidget* window) const;
    QString recentActions() const;

    Shell& shell_;
    Module1& module_;
    FakePlatform& platform_;
    Dice& dice_;

    ExpectedCalculator expected_;
    ShapeType expectedSelection_ = kNoShape;
    QString expectedUnitListText_;  // when an action determines it

    // Observations and expectations of the action under way.
    QList<Change> changes_;
    int textChanges_ = 0;
    QList<Activation> activations_;
    QList<ExpectedMessage> expectedMessages_;
    qsizetype messagesBefore_ = 0;
    int expectedEnds_ = 0;
    int endsBefore_ = 0;
    qsizetype expectedUrls_ = 0;
    qsizetype urlsBefore_ = 0;
    bool editsForbidden_ = false;  // the action must not change any input
    bool unitForbidden_ = false;   // the action must not select a unit

    bool inCalculator_ = false;  // which main window the actions so far must have led to
    bool opening_ = false;       // the action opens a new calculator
    QPointer<Form2> watched_;
    QPoint calculatorBackground_{-1, -1};

    QString action_;
    std::deque<QString> recent_;
    QStringList problems_;
    QString failure_;
    int actionsDone_ = 0;
    QMap<QString, int> tally_;
};

}  // namespace velmora::ui::testing
