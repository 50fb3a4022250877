#include "tests/ui/support/user_input.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "core/catalogue.h"

namespace velmora::ui::testing {

QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

QString HoverTip(QWidget* widget) {
    QToolTip::hideText();
    const QPoint at = widget->rect().center();
    QHelpEvent hover(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &hover);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return shown;
}

void Retype(QLineEdit* box, const QString& keys) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        for (const QChar c : keys) {
            // keyClicks types Latin-1 only; a full-width digit comes as a key
            // with no key code of its own, carrying its text, as an input
            // method's keyboard sends it.
            if (c.unicode() < 0x100)
                QTest::keyClick(box, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
}

bool WhileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside) {
    bool seen = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // Not yet (the key that opens it is still being pressed), or a message
        // box, which its own answerer closes: look again.
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
    // A window that never opened leaves nothing to look for later.
    timer.stop();
    return seen;
}

QPoint EmptySpot(const QWidget* window) {
    for (int y = window->height() - 3; y > 0; y -= 4) {
        for (int x = 3; x < window->width(); x += 4) {
            if (!window->childAt(x, y)) return {x, y};
        }
    }
    qFatal("no empty spot in %s", qPrintable(window->objectName()));
}

QString ShownChoice(const QWidget* selection) {
    QStringList shown;
    for (int i = 0; i < kShapeCount; ++i) {
        const auto* normal = selection->findChild<QLabel*>(QStringLiteral("Image1_%1").arg(i));
        const auto* chosen = selection->findChild<QLabel*>(QStringLiteral("Image2_%1").arg(i));
        const bool normalShown = normal && normal->isVisible();
        const bool chosenShown = chosen && chosen->isVisible();
        if (normalShown == chosenShown)
            shown << QStringLiteral("%1 (%2)").arg(i).arg(chosenShown ? "both" : "neither");
        else if (chosenShown)
            shown << QString::number(i);
    }
    return shown.join(QStringLiteral(", "));
}

}  // namespace velmora::ui::testing
