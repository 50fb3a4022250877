#include "ui/selection/form1.h"

#include <QFocusEvent>
#include <QFocusFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "core/messages.h"
#include "ui/common/click_watcher.h"
#include "ui/common/confirm_exit.h"
#include "ui/common/default_button.h"
#include "ui/common/look.h"
#include "ui/common/pictures.h"
#include "ui/common/placement.h"
#include "ui/common/platform.h"
#include "ui/common/text.h"
#include "ui/common/twips.h"

namespace velmora::ui {
namespace {

constexpr int kGridColumns = 5;  // shape i stands in row i div 5, column i mod 5

// The picture of shape `index`, relative to the frame.
QRect PictureRect(int index) {
    return TwipsRect(360 + 960 * (index % kGridColumns), 480 + 720 * (index / kGridColumns), 600, 465);
}

// The shape an arrow key moves the choice to: the next picture that way,
// stopping at the edges of the grid. With nothing chosen, every arrow starts
// at shape 0, top left.
int ShapeAfterArrow(int current, int key) {
    if (!FindShape(current)) return 0;
    const int column = current % kGridColumns;
    switch (key) {
        case Qt::Key_Left: return column > 0 ? current - 1 : current;
        case Qt::Key_Right: return column < kGridColumns - 1 ? current + 1 : current;
        case Qt::Key_Up: return current >= kGridColumns ? current - kGridColumns : current;
        case Qt::Key_Down: return current + kGridColumns < kShapeCount ? current + kGridColumns : current;
        default: return current;
    }
}

}  // namespace

Form1::Form1(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setupWindow();
    setupFrame();
    setupPictures();
    setupButtons();
    Form_Load();
}

void Form1::setupWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("velmora: 断面選択"));
    ApplyWindowLook(this, kSelectionWindowSize);
}

void Form1::setupFrame() {
    Frame1 = new QGroupBox(QStringLiteral(" 断面形状の選択 "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(GothicFont(9, /*bold=*/true));
    Frame1->setGeometry(TwipsRect(120, 240, 5175, 4215));
    // The grid is one stop in the tab order, ahead of the buttons. Styles mark
    // no focus on a frame, so a ring stands around it while the keyboard is on it.
    Frame1->setFocusPolicy(Qt::StrongFocus);
    Frame1->installEventFilter(this);
    gridFocusRing_ = new QFocusFrame(this);
}

void Form1::setupPictures() {
    const qreal ratio = devicePixelRatioF();
    for (const ShapeEntry& shape : AllShapes()) {
        const int i = shape.index;
        const QString name = ToQString(shape.japaneseName);
        for (const bool selected : {false, true}) {
            auto* picture = new QLabel(Frame1);
            picture->setObjectName(QString::fromLatin1(selected ? "Image2_%1" : "Image1_%1").arg(i));
            picture->setAccessibleName(name);
            picture->setToolTip(name);
            // A selected picture is rendered when first chosen: none is at start-up.
            if (!selected) picture->setPixmap(ThumbnailPixmap(i, false, ratio));
            picture->setGeometry(PictureRect(i));
            (selected ? Image2 : Image1)[i] = picture;
        }
        // A click chooses a shape; a double click on the chosen one opens the calculator.
        // The selected picture has no click handler.
        connect(ClickWatcher::watch(Image1[i]), &ClickWatcher::clicked, this, [this, i] { Image1_Click(i); });
        connect(ClickWatcher::watch(Image2[i]), &ClickWatcher::doubleClicked, this,
                [this, i] { Image2_DblClick(i); });
    }
}

// In tab order, after the frame.
void Form1::setupButtons() {
    const auto button = [this](const char* name, const char* caption, int left, int top) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(TwipsRect(left, top, 855, 255));
        return button;
    };
    cmd1 = button("cmd1", "OK", 4440, 4560);
    oc2 = button("oc2", "Info", 120, 4560);
    oc3 = button("oc3", "Exit", 1200, 4560);

    DefaultButton::install(cmd1);
    connect(cmd1, &QPushButton::clicked, this, &Form1::cmd1_Click);
    connect(oc2, &QPushButton::clicked, this, &Form1::oc2_Click);
    connect(oc3, &QPushButton::clicked, this, &Form1::oc3_Click);
}

void Form1::Form_Load() {
    ResetPictures();
    PlaceWindow(this, kSelectionWindowSize, context_.platform);
    context_.module.SelectedShape = kNoShape;
    describeChoiceToScreenReaders();
}

void Form1::ResetPictures() {
    for (int i = 0; i < kShapeCount; ++i) {
        Image1[i]->setVisible(true);
        Image2[i]->setVisible(false);
    }
}

void Form1::Image1_Click(int index) {
    ResetPictures();
    context_.module.SelectedShape = static_cast<ShapeType>(index);
    if (FindShape(index)) {
        if (Image2[index]->pixmap().isNull())
            Image2[index]->setPixmap(ThumbnailPixmap(index, true, devicePixelRatioF()));
        Image1[index]->setVisible(false);
        Image2[index]->setVisible(true);
    }
    describeChoiceToScreenReaders();
}

// The index is not needed: the only selected picture on show is that of SelectedShape.
void Form1::Image2_DblClick(int /*index*/) {
    ResetPictures();
    context_.navigator.showCalculator();
}

void Form1::cmd1_Click() {
    if (context_.module.SelectedShape == kNoShape) {
        ShowMessage(context_.platform, this, kChooseShapeMessage, MessageIcon::Information);
        return;
    }
    context_.navigator.showCalculator();
}

void Form1::oc2_Click() { context_.navigator.showInformation(this); }

void Form1::oc3_Click() { context_.platform.endProgram(); }

void Form1::Form_DblClick() { ConfirmExit(this, context_.platform); }

// The grid's own keys. An arrow chooses the next picture that way exactly as a
// click on it does; Space presses OK, as Enter does anywhere in the window.
bool Form1::handleGridKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int next = ShapeAfterArrow(context_.module.SelectedShape, key.key());
            if (next != context_.module.SelectedShape) Image1_Click(next);
            return true;
        }
        case Qt::Key_Space:
            if (!key.isAutoRepeat()) cmd1->click();
            return true;
        default: return false;
    }
}

// The chosen shape's name, read out with the grid's caption.
void Form1::describeChoiceToScreenReaders() {
    const ShapeEntry* shape = FindShape(context_.module.SelectedShape);
    Frame1->setAccessibleDescription(shape ? ToQString(shape->japaneseName) : QString());
}

// The ring shows once the grid is used from the keyboard, as styles show focus
// rectangles: a mouse user, or the focus the grid gets at start-up, sees the
// window as it always was.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Frame1) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
            if (!handleGridKey(*static_cast<QKeyEvent*>(event))) return false;
            gridFocusRing_->setWidget(Frame1);
            return true;
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                gridFocusRing_->setWidget(Frame1);
            return false;
        }
        case QEvent::FocusOut: gridFocusRing_->setWidget(nullptr); return false;
        default: return false;
    }
}

// OK is the default button: Enter presses it wherever the focus is, except on
// another button, which presses itself.
void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cmd1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Only the bare background counts: double clicks on the frame, a picture or a
// button arrive here too when those ignore them, and must not ask to exit.
void Form1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) Form_DblClick();
}

}  // namespace velmora::ui
