#include "ui/formula/form3.h"

#include <QLabel>
#include <QShowEvent>

#include "core/formula_pictures.h"
#include "ui/common/click_watcher.h"
#include "ui/common/look.h"
#include "ui/common/pictures.h"
#include "ui/common/placement.h"
#include "ui/common/text.h"
#include "ui/common/twips.h"
#include "ui/formula/formula_text.h"

namespace velmora::ui {
namespace {

// Where the picture stands, in twips.
constexpr int kPictureLeft = 120;
constexpr int kPictureTop = 120;

// The part of a caption after the program's name: "公式：断面積(A)".
QString PropertyName(const QString& caption) {
    const QString program = QStringLiteral("velmora: ");
    return caption.startsWith(program) ? caption.mid(program.size()) : caption;
}

}  // namespace

Form3::Form3(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setupWindow();
    setupPicture();
}

void Form3::setupWindow() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("velmora: 計算式"));
    ApplyWindowLook(this, kFormulaWindowSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
}

void Form3::setupPicture() {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(Px(kPictureLeft), Px(kPictureTop));
    connect(ClickWatcher::watch(Image1), &ClickWatcher::doubleClicked, this, &Form3::Image1_DblClick);
}

// Closing unloads the viewer, so every showing loads it afresh from the values
// of that moment.
void Form3::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) Form_Load();
    QDialog::showEvent(event);
}

void Form3::Form_Load() {
    HideFormulaPictures();
    PlaceWindow(this, kFormulaWindowSize, context_.platform);
    SetFormulaCaption();
    ShowFormulaPicture();
}

void Form3::HideFormulaPictures() {
    Image1->hide();
    Image1->clear();
    Image1->setAccessibleName({});
    Image1->setAccessibleDescription({});
    shownPicture_ = -1;
}

void Form3::SetFormulaCaption() { setWindowTitle(ToQString(FormulaCaption(context_.module.FormulaKind))); }

void Form3::ShowFormulaPicture() {
    const int picture = FormulaPictureIndex(context_.module.SelectedShape, context_.module.FormulaKind);
    if (picture < 0) return;
    Image1->setPixmap(FormulaPixmap(picture, devicePixelRatio()));
    Image1->resize(FormulaSize(picture));
    Image1->setAccessibleName(PropertyName(windowTitle()));
    Image1->setAccessibleDescription(FormulaText(picture));
    Image1->show();
    shownPicture_ = picture;
}

void Form3::Image1_DblClick() { accept(); }

}  // namespace velmora::ui
