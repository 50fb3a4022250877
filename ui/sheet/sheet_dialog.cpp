#include "ui/sheet/sheet_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/look.h"

namespace velmora::ui {
namespace {

QLineEdit* AddLine(QFormLayout* form, const QString& caption, const char* name, const QString& text) {
    auto* box = new QLineEdit(text);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(260);
    auto* label = new QLabel(caption);
    label->setBuddy(box);  // names the box for screen readers; Alt + the letter reaches it
    form->addRow(label, box);
    return box;
}

}  // namespace

SheetDialog::SheetDialog(QWidget* parent, const QString& acceptText, const SheetRequest& headings,
                         bool includeDetails)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SheetDialog"));
    setWindowTitle(QStringLiteral("velmora: 計算書"));
    ApplyColoursFontAndIcon(this);

    auto* form = new QFormLayout;
    // Every control has its own letter; S and P are the two OK buttons'.
    subject_ = AddLine(form, QStringLiteral("件名(&T):"), "subject", headings.subject);
    member_ = AddLine(form, QStringLiteral("部材(&M):"), "member", headings.member);
    author_ = AddLine(form, QStringLiteral("作成者(&A):"), "author", headings.author);

    details_ = new QCheckBox(QStringLiteral("断面性能の詳細を含める(&D)"));
    details_->setObjectName(QStringLiteral("includeDetails"));
    details_->setChecked(includeDetails);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(acceptText);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("計算書の見出しに書く項目です（空欄のままでもかまいません）。"));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(details_);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
    subject_->setFocus();
}

SheetRequest SheetDialog::request() const {
    return {subject_->text().trimmed(), member_->text().trimmed(), author_->text().trimmed(),
            details_->isChecked()};
}

}  // namespace velmora::ui
