// The details window within one action: opened by Ctrl+D or from the
// calculator's menu, read against the core (and the torsion rows, once
// computed, against the computation) for the texts on screen, a display unit chosen, the table copied, and
// closed by Esc or its close button. It must change nothing in the calculator.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <string>
#include <variant>

#include "analysis/torsion.h"
#include "core/properties.h"
#include "tests/ui/random_user/random_user.h"
#include "ui/calculator/form2.h"
#include "ui/common/text.h"
#include "ui/common/torsion_text.h"
#include "ui/details/details_window.h"

namespace velmora::ui::testing {
namespace {

constexpr int kSymbolColumn = 1, kValueColumn = 2, kUnitColumn = 3;

bool OpenFromMenu(RandomUser& user, Form2* form) {
    QWidget* frame = user.control(user.dice.pick({"Frame2", "Frame3", "Frame4", "Frame5"}));
    QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, frame->mapTo(form, QPoint(8, 4)));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return false;
    QAction* entry = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("断面性能の詳細…")) entry = action;
    for (int guard = 0; entry && menu->activeAction() != entry && guard < 20; ++guard)
        QTest::keyClick(menu->windowHandle(), Qt::Key_Down);
    QTest::keyClick(menu->windowHandle(), Qt::Key_Return);
    return entry != nullptr;
}

// The five torsion rows, once they are computed, against the computation for
// the texts on screen, from `row` on; they end the table.
void CheckTorsion(RandomUser& user, const QTableWidget& table, int row, double factor,
                  const std::string& suffix) {
    const auto cell = [&](int r, int column) {
        return r < table.rowCount() ? table.item(r, column)->text() : QString();
    };
    if (!QTest::qWaitFor([&] { return cell(row, kValueColumn) != QString::fromUtf8(kComputing); }, 30000)) {
        user.problem(QStringLiteral("details: the torsion rows stay 計算中…"));
        return;
    }
    // The same section comes back often (the window opened again, a unit
    // chosen): its solution is computed once per run.
    static std::map<std::string, std::variant<analysis::TorsionResult, SectionError>> solved;
    std::string key = std::to_string(user.module.SelectedShape) + user.separator();
    for (const std::string& text : user.screenTexts()) key += '\n' + text;
    auto found = solved.find(key);
    if (found == solved.end()) {
        analysis::TorsionOptions options;
        options.keepField = false;
        found = solved
                    .emplace(key, analysis::ComputeTorsion(user.module.SelectedShape, user.screenTexts(),
                                                           user.separator(), options))
                    .first;
    }
    const auto* result = std::get_if<analysis::TorsionResult>(&found->second);
    if (!result) {
        user.problem(QStringLiteral("details: torsion rows for no section"));
        return;
    }
    for (const TorsionRowText& expected : TorsionRows(result, factor, suffix, user.separator())) {
        if (cell(row, kSymbolColumn) != expected.symbol || cell(row, kValueColumn) != expected.value ||
            cell(row, kUnitColumn) != expected.unit) {
            user.problem(QStringLiteral("details: row %1 is %2 = %3, not %4")
                             .arg(row)
                             .arg(cell(row, kSymbolColumn), cell(row, kValueColumn), expected.value));
            return;
        }
        ++row;
    }
    if (row != table.rowCount()) user.problem(QStringLiteral("details: %1 rows").arg(table.rowCount()));
}

// The window against the core, for the texts on screen and the display unit.
void CheckDetails(RandomUser& user, const DetailsWindow& details) {
    const char separator = user.separator();
    const PropertiesOutcome outcome =
        ComputeProperties(user.module.SelectedShape, user.screenTexts(), separator);
    const auto* table = details.findChild<const QTableWidget*>(QStringLiteral("properties"));
    const auto* error = details.findChild<const QLabel*>(QStringLiteral("sectionError"));
    if (const auto* fault = std::get_if<SectionError>(&outcome)) {
        if (!error->isVisible() || error->text() != ToQString(fault->message) || table->isVisible())
            user.problem(QStringLiteral("details: no section, but %1").arg(Shown(error->text())));
        return;
    }
    const auto& properties = std::get<SectionProperties>(outcome);
    const std::string suffix = details.displayUnitSuffix();
    const double factor = LengthFactor(user.module.UnitSuffix, suffix).value_or(1);
    int row = 0;
    for (const PropertyInfo& info : AllProperties()) {
        if (info.principal && !properties.hasPrincipalAxes()) continue;
        const QString value =
            ToQString(PropertyText(Convert(info.property, properties[info.property], factor), separator));
        if (row >= table->rowCount() || table->item(row, kSymbolColumn)->text() != ToQString(info.symbol) ||
            table->item(row, kValueColumn)->text() != value ||
            table->item(row, kUnitColumn)->text() != ToQString(PropertyUnit(info.property, suffix))) {
            user.problem(
                QStringLiteral("details: row %1 is not %2 = %3").arg(row).arg(ToQString(info.symbol), value));
            return;
        }
        ++row;
    }
    CheckTorsion(user, *table, row, factor, suffix);
}

}  // namespace

void UseDetails(RandomUser& user) {
    const bool byMenu = user.dice.chance(0.3);
    user.begin(QStringLiteral("details by %1").arg(byMenu ? "the menu" : "Ctrl+D"));
    user.editsForbidden = true;
    user.unitForbidden = true;
    Form2* form = user.calculator();
    if (byMenu) {
        if (!OpenFromMenu(user, form)) user.problem(QStringLiteral("the menu has no details entry"));
    } else {
        user.key(Qt::Key_D, Qt::ControlModifier);
    }
    QPointer<DetailsWindow> details = form->detailsWindow();
    if (!details || !details->isVisible()) {
        user.problem(QStringLiteral("no details window"));
        return;
    }
    CheckDetails(user, *details);
    QCoreApplication::processEvents();
    if (!form->isActiveWindow()) user.problem(QStringLiteral("opening the details took the keys"));
    // The user clicks into the details window to use it.
    details->activateWindow();
    if (!QTest::qWaitForWindowActive(details))
        user.problem(QStringLiteral("the details window took no keys"));

    auto* list = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
    const int unit = user.dice.below(list->count());
    user.action += QStringLiteral(", unit %1").arg(list->itemText(unit));
    list->setFocus();
    while (list->currentIndex() != unit && list->isEnabled()) {
        const int before = list->currentIndex();
        QTest::keyClick(list, list->currentIndex() < unit ? Qt::Key_Down : Qt::Key_Up);
        if (list->currentIndex() == before) break;  // the conversions are off under the unit "none"
    }
    CheckDetails(user, *details);

    QTest::keyClick(details->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    if (QApplication::clipboard()->text() != details->tableText())
        user.problem(
            QStringLiteral("details: Ctrl+C copied %1").arg(Shown(QApplication::clipboard()->text())));

    if (user.dice.chance(0.5)) {
        user.action += QStringLiteral(", Esc");
        QTest::keyClick(details->windowHandle(), Qt::Key_Escape);
    } else {
        user.action += QStringLiteral(", close button");
        details->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (details || form->detailsWindow()) user.problem(QStringLiteral("the details window stayed"));
    user.count(QStringLiteral("calculator: details window"));
}

}  // namespace velmora::ui::testing
