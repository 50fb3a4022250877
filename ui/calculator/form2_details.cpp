// The calculator's context menu (with the calculation sheet's entries) and its
// details window: the window opens from
// the menu or by Ctrl+D, follows every change of the calculator's inputs, unit
// and option, and goes when the calculator goes.
#include <QCheckBox>
#include <QComboBox>
#include <QHideEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "ui/calculator/context_menu.h"
#include "ui/calculator/form2.h"
#include "ui/calculator/result_copy.h"
#include "ui/calculator/result_frame.h"
#include "ui/details/details_window.h"
#include "ui/sheet/sheet_actions.h"

namespace velmora::ui {

// The entries of the context menu, in menu order. A new entry is one more row
// here: its text, its shortcut (or none) and what it does; the menu, the
// shortcut and the result frames' tooltip follow from the row.
void Form2::setupContextMenu() {
    auto* sheet = new SheetActions(this, context_.platform, [this] { return sheetSnapshot(); });
    const std::vector<MenuEntry> entries{
        {QStringLiteral("結果をコピー"), {}, [this] { CopyResults(frames); }},
        {QStringLiteral("断面性能の詳細…"), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { showDetails(); }},
        {QStringLiteral("計算書を印刷…"), QKeySequence::Print, [sheet] { sheet->preview(); }},
        {QStringLiteral("計算書をPDFで保存…"), QKeySequence::Save, [sheet] { sheet->savePdf(); }},
    };
    const auto* menu = new ContextMenu(this, frames.front(), entries);
    for (ResultFrame* frame : frames) frame->setToolTip(menu->summary());
}

// Connected after the calculator's own handlers, so the details see each
// change with the derived inputs and the unit already updated.
void Form2::setupDetails() {
    for (QLineEdit* box : txts) connect(box, &QLineEdit::textChanged, this, &Form2::updateDetails);
    for (QCheckBox* box : chks) connect(box, &QCheckBox::clicked, this, &Form2::updateDetails);
    connect(cmb1, &QComboBox::activated, this, &Form2::updateDetails);
    connect(cmd1, &QPushButton::clicked, this, &Form2::updateDetails);  // the unit check may set "mm"
}

DetailsWindow* Form2::detailsWindow() const { return details_; }

void Form2::showDetails() {
    if (!details_) {
        details_ = new DetailsWindow(this);
        details_->setAttribute(Qt::WA_DeleteOnClose);
        updateDetails();
        details_->placeBeside(context_.platform.screenGeometry());
        details_->show();
    }
    details_->raise();
    details_->activateWindow();
}

void Form2::updateDetails() {
    if (details_)
        details_->showSection({context_.module.SelectedShape, inputTexts(), context_.module.UnitSuffix});
}

// Hidden when the selection window takes over: the details go at once.
void Form2::hideEvent(QHideEvent* event) {
    if (details_ && !event->spontaneous()) details_->close();
    QWidget::hideEvent(event);
}

}  // namespace velmora::ui
