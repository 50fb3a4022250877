#include "ui/shell/form4.h"

#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include "ui/common/click_watcher.h"
#include "ui/common/confirm_exit.h"
#include "ui/common/look.h"
#include "ui/common/pictures.h"
#include "ui/common/placement.h"
#include "ui/common/platform.h"
#include "ui/common/twips.h"
#include "velmora/version.h"

namespace velmora::ui {
namespace {

// Every label is one line high, in twips.
constexpr int kLabelHeight = 255;

// Where the two address labels lead. Kept apart from the captions on purpose:
// the captions carry a leading ": ", the targets do not.
constexpr char kMailTarget[] = "mailto:support@velmora.example";
constexpr char kWebTarget[] = "https://velmora.example/";

struct LabelLayout {
    const char* name;
    const char* caption;
    int left;
    int top;
    int width;
};

// In tab-index order. None of them takes the focus, so this is the order in
// which the window's children are created, and the order in which screen
// readers walk them.
constexpr LabelLayout kLabels[] = {
    {"Label1", ": velmora", 2280, 240, 2175},
    {"Label2", nullptr, 2280, 480, 735},  // ": " and the version
    {"Label3", "ソフト名", 1320, 240, 735},
    {"Label4", "バージョン", 1320, 480, 975},
    {"Label9", "Copyright (C) 2026 velmora project", 480, 1800, 4095},
    {"Label8", ": https://velmora.example/", 720, 1320, 4575},
    {"Label7", "URL", 120, 1320, 375},
    {"Label6", ": support@velmora.example", 720, 960, 2295},
    {"Label5", "E-Mail", 120, 960, 615},
};

}  // namespace

Form4::Form4(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setupWindow();
    setupIcon();
    setupLabels();
    Form_Load();
}

void Form4::setupWindow() {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("velmora: Information"));
    ApplyWindowLook(this, kInformationWindowSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void Form4::setupIcon() {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("velmora"));
    Image1->setGeometry(TwipsRect(480, 240, 480, 480));
    Image1->setPixmap(RenderSvg(IconPath(), {32, 32}, devicePixelRatioF()));
}

void Form4::setupLabels() {
    for (const LabelLayout& layout : kLabels) {
        const QString caption = layout.caption ? QString::fromUtf8(layout.caption)
                                               : QStringLiteral(": ") + QString::fromLatin1(kVersion);
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(layout.name));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(TwipsRect(layout.left, layout.top, layout.width, kLabelHeight));
    }
    Label6 = findChild<QLabel*>(QStringLiteral("Label6"), Qt::FindDirectChildrenOnly);
    Label8 = findChild<QLabel*>(QStringLiteral("Label8"), Qt::FindDirectChildrenOnly);
    for (QLabel* link : {Label6, Label8}) link->setCursor(Qt::PointingHandCursor);
    connect(ClickWatcher::watch(Label6), &ClickWatcher::clicked, this, &Form4::Label6_Click);
    connect(ClickWatcher::watch(Label8), &ClickWatcher::clicked, this, &Form4::Label8_Click);
}

void Form4::Form_Load() { PlaceWindow(this, kInformationWindowSize, context_.platform); }

void Form4::Label6_Click() { context_.platform.openUrl(QUrl(QString::fromLatin1(kMailTarget))); }

void Form4::Label8_Click() { context_.platform.openUrl(QUrl(QString::fromLatin1(kWebTarget))); }

// Yes ends the whole program, not only this window.
void Form4::Form_DblClick() { ConfirmExit(this, context_.platform); }

// Only the bare background counts, not the icon or a label.
void Form4::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) Form_DblClick();
}

}  // namespace velmora::ui
