// Opens the calculator for a shape over a fake platform and a recording
// navigator, and acts on it as a user would: keys, clicks, double clicks.
#pragma once

#include <QLabel>
#include <QStringList>
#include <QTest>
#include <memory>

#include "core/module1.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/recording_navigator.h"
#include "ui/calculator/form2.h"
#include "ui/common/context.h"

namespace velmora::ui::testing {

class Calculator {
public:
    // Opens a Form2 for `shape`, shown and active.
    explicit Calculator(int shape);

    // Closes the window and opens a new one for the same program-wide values.
    void reopen();

    Module1 module;
    FakePlatform platform;
    RecordingNavigator navigator;
    AppContext context{module, platform, navigator};
    std::unique_ptr<Form2> form;

    template <typename Widget = QWidget>
    Widget* get(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget) qFatal("no control %s", qPrintable(name));
        return widget;
    }

    QString text(const QString& name) const;  // of a label, text box or the unit list
    QStringList texts(const QStringList& names) const;

    // Replaces the text of a text box as a user does (see Retype).
    void retype(const QString& name, const QString& keys);
    void enter(const QStringList& texts);  // retypes txt1, txt2, … in turn
    void tick(const QString& name);        // a mouse click on a check box
    void click(const QString& name);       // a mouse click on a button
    void pressEnter(const QString& from, Qt::Key key = Qt::Key_Return);

    // A double click at a spot in twips of the window's client area.
    void doubleClickAt(double leftTwips, double topTwips);
    void doubleClickOn(const QString& name);  // at the centre of a control

    QStringList answers() const;      // ansal, ansil, anszl, anskl
    QStringList units() const;        // aunil, iunil, zunil, kunil
    QStringList secondLine() const;   // unal, unil, unzl, unkl
    QString secondLineShown() const;  // one letter per label: 'v' visible, '-' hidden
    QStringList messageTexts() const;
};

}  // namespace velmora::ui::testing
