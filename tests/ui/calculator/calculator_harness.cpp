#include "tests/ui/calculator/calculator_harness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/common/twips.h"

namespace velmora::ui::testing {
namespace {

const QStringList kAnswers{"ansal", "ansil", "anszl", "anskl"};
const QStringList kUnits{"aunil", "iunil", "zunil", "kunil"};
const QStringList kSecondLine{"unal", "unil", "unzl", "unkl"};

}  // namespace

Calculator::Calculator(int shape) {
    PrepareUiTest();
    module.SelectedShape = static_cast<ShapeType>(shape);
    reopen();
}

void Calculator::reopen() {
    form.reset();
    form = std::make_unique<Form2>(context);
    form->show();
    form->activateWindow();  // on an X screen without a window manager nobody else does
    if (!QTest::qWaitForWindowActive(form.get())) qFatal("the calculator did not become active");
}

QString Calculator::text(const QString& name) const {
    QWidget* widget = get(name);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
    qFatal("%s has no text", qPrintable(name));
}

void Calculator::retype(const QString& name, const QString& keys) { Retype(get<QLineEdit>(name), keys); }

void Calculator::enter(const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) retype(QStringLiteral("txt%1").arg(i + 1), texts[i]);
}

void Calculator::tick(const QString& name) {
    auto* box = get<QAbstractButton>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void Calculator::click(const QString& name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }

void Calculator::pressEnter(const QString& from, Qt::Key key) {
    QWidget* widget = get(from);
    widget->setFocus();
    QTest::keyClick(widget, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

void Calculator::doubleClickAt(double leftTwips, double topTwips) {
    // Through the window, so that Qt finds the widget under the pointer and
    // passes the event on to its parents as it does for real input.
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(Px(leftTwips), Px(topTwips)));
}

void Calculator::doubleClickOn(const QString& name) {
    QWidget* widget = get(name);
    const QPoint centre = widget->mapTo(form.get(), widget->rect().center());
    doubleClickAt(ToTwips(centre.x()), ToTwips(centre.y()));
}

QStringList Calculator::texts(const QStringList& names) const {
    QStringList shown;
    for (const QString& name : names) shown << text(name);
    return shown;
}

QStringList Calculator::answers() const { return texts(kAnswers); }
QStringList Calculator::units() const { return texts(kUnits); }
QStringList Calculator::secondLine() const { return texts(kSecondLine); }

QString Calculator::secondLineShown() const {
    QString shown;
    for (const QString& name : kSecondLine) shown += get(name)->isVisible() ? 'v' : '-';
    return shown;
}

QStringList Calculator::messageTexts() const {
    QStringList texts;
    for (const MessageRequest& request : platform.messages) texts << request.text;
    return texts;
}

}  // namespace velmora::ui::testing
