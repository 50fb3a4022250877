// Builds the controls of the calculator window from its layout tables.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>
#include <string_view>

#include "core/units.h"
#include "ui/calculator/form2.h"
#include "ui/calculator/result_frame.h"
#include "ui/common/look.h"
#include "ui/common/text.h"
#include "ui/common/twips.h"

namespace velmora::ui {
namespace {

struct Twips {
    double left, top, width, height;
};

QRect ToRect(const Twips& t) { return TwipsRect(t.left, t.top, t.width, t.height); }

// The controls standing directly on the window, in twips of its client area:
// left, top, width, height.
struct Placement {
    std::string_view name;
    Twips rect;
};

// clang-format off
constexpr Placement kPlacements[] = {
    {"Frame1", { 120,  120, 6975, 5655}},
    {"cmb1",   {7200,  240, 2055,  300}},
    {"chk1",   {7680, 3360, 1455,  255}},  // under txt4
    {"chk2",   {7680, 4080, 1455,  255}},  // under txt5
    {"chk3",   {7680, 5520, 1335,  255}},  // under txt7
    {"cmd1",   {7680, 6120, 1575,  375}},
    {"Frame2", { 120, 6000, 3375,  975}},
    {"Frame3", {3720, 6000, 3375,  975}},
    {"Frame4", { 120, 7200, 3375,  975}},
    {"Frame5", {3720, 7200, 3375,  975}},
    {"oc2",    {8400, 7680,  855,  255}},
    {"oc3",    {8400, 8040,  855,  255}},
};
// clang-format on

// Input slot N: its caption above its text box, one slot every 720 twips.
Twips SlotLabel(int slot) { return {7440, 720.0 + 720 * (slot - 1), 1815, 255}; }
Twips SlotText(int slot) { return {7680, 960.0 + 720 * (slot - 1), 1455, 270}; }

constexpr ResultFrameDesign kResultFrames[] = {
    {"Frame2", " 断面積 ", "a", "Label1", "A =", "ansal", "aunil", "unal", "Label5", "2", false},
    {"Frame3", " 断面二次モーメント ", "i", "Label2", "I =", "ansil", "iunil", "unil", "Label6", "4", false},
    {"Frame4", " 断面係数 ", "z", "Label3", "Z =", "anszl", "zunil", "unzl", "Label7", "3", false},
    {"Frame5", " 断面二次半径 ", "k", "Label4", "k =", "anskl", "kunil", "unkl", "Label8", "2", true},
};

// Names the widget and gives it the geometry of its row in kPlacements.
template <typename Widget>
Widget* Placed(Widget* widget, std::string_view name) {
    const auto row = std::ranges::find(kPlacements, name, &Placement::name);
    Q_ASSERT(row != std::ranges::end(kPlacements));
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(ToRect(row->rect));
    return widget;
}

QString Numbered(const char* prefix, int n) { return QLatin1String(prefix) + QString::number(n); }

}  // namespace

void Form2::setupControls() {
    Frame1 = Placed(new QGroupBox(this), "Frame1");
    img1 = new QLabel(Frame1);
    img1->setObjectName(QStringLiteral("img1"));
    img1->setGeometry(ToRect({240, 240, 0, 0}));  // sized and centred by ShowDrawing

    cmb1 = Placed(new QComboBox(this), "cmb1");
    cmb1->setEditable(true);
    cmb1->setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes a unit
    cmb1->setCompleter(nullptr);                 // nor looks like one
    for (const Unit& unit : Units()) cmb1->addItem(ToQString(unit.listText));
    cmb1->setEditText(ToQString(kUnitListPlaceholder));
    // The list has no caption beside it; its design text names it for screen readers.
    cmb1->setAccessibleName(ToQString(kUnitListPlaceholder));
    cmb1->lineEdit()->setAccessibleName(cmb1->accessibleName());

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto* caption = new QLabel(this);
        caption->setObjectName(Numbered("lbl", slot));
        caption->setGeometry(ToRect(SlotLabel(slot)));
        caption->setFont(GothicFont(9, true));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* box = new QLineEdit(this);
        box->setObjectName(Numbered("txt", slot));
        box->setGeometry(ToRect(SlotText(slot)));
        caption->setBuddy(box);  // the box is announced by its caption
        lbls[static_cast<std::size_t>(slot - 1)] = caption;
        txts[static_cast<std::size_t>(slot - 1)] = box;
    }

    const QString thicknessCaption = ToQString(kThicknessCaption);
    for (int i = 0; i < kOptionCount; ++i) {
        const std::string name = "chk" + std::to_string(i + 1);
        chks[static_cast<std::size_t>(i)] = Placed(new QCheckBox(thicknessCaption, this), name);
    }

    cmd1 = Placed(new QPushButton(QStringLiteral("Ans"), this), "cmd1");

    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i] = Placed(new ResultFrame(kResultFrames[i], this), kResultFrames[i].name);

    oc2 = Placed(new QPushButton(QStringLiteral("Info"), this), "oc2");
    oc3 = Placed(new QPushButton(QStringLiteral("Exit"), this), "oc3");
}

}  // namespace velmora::ui
