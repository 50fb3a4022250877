#include "ui/details/details_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "analysis/torsion.h"
#include "core/units.h"
#include "ui/common/look.h"
#include "ui/common/text.h"
#include "ui/common/twips.h"
#include "ui/details/torsion_computation.h"
#include "ui/details/torsion_panel.h"

namespace velmora::ui {
namespace {

// The opening width of the client area, in twips: enough for the longest
// property name and an E-notation value, and the drawing of the section
// beside them (it takes whatever a wider window gives). The height fits all 25 rows and the five of torsion.
constexpr double kClientWidth = 9200;
constexpr double kClientHeight = 8370 + 1500;
constexpr int kGap = 8;  // pixels between the calculator and this window

enum Column { kName, kSymbol, kValue, kUnit, kColumnCount };

QTableWidgetItem* Cell(QTableWidget* table, int row, int column) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (column == kValue) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
    return item;
}

// Changes a cell only when its text changes, so a keystroke repaints only what it altered.
void SetCell(QTableWidget* table, int row, int column, const QString& text) {
    QTableWidgetItem* item = Cell(table, row, column);
    if (item->text() != text) item->setText(text);
}

// "A = 28 mm²", the calculator's figure with its unit; k² = I ÷ A is a length².
QString CalculatorFigure(const CalculatorFootnote& note, const std::string& suffix) {
    const QString text = ToQString(note.calculatorText);
    const auto unit = [&](int result) { return ToQString(UnitText(suffix, kResultLengthPowers[result])); };
    if (note.result == "A") return QStringLiteral("A = %1 %2").arg(text, unit(0));
    if (note.result == "I") return QStringLiteral("I = %1 %2").arg(text, unit(1));
    if (note.result == "Z") return QStringLiteral("Z = %1 %2").arg(text, unit(2));
    if (note.result == "A2") return QStringLiteral("A（2 行目）= %1 %2").arg(text, unit(0));
    if (note.result == "I2") return QStringLiteral("I（2 行目）= %1 %2").arg(text, unit(1));
    if (note.result == "Z2") return QStringLiteral("Z（2 行目）= %1 %2").arg(text, unit(2));
    if (note.result == "K2") return QStringLiteral("k²（2 行目）= %1 %2").arg(text, unit(3));
    return QStringLiteral("k² = %1 %2").arg(text, unit(3));
}

// The widest text a column can show, with the cell's padding: every name with
// a footnote mark, every symbol, every unit of every display unit and of the
// calculator's "none".
int ColumnWidth(const QTableWidget& table, int column) {
    const QFontMetrics metrics = table.fontMetrics();
    int widest = metrics.horizontalAdvance(table.horizontalHeaderItem(column)->text());
    const auto widen = [&](const QString& text) {
        widest = std::max(widest, metrics.horizontalAdvance(text));
    };
    for (const TorsionRowText& row : TorsionRows(nullptr, 1, "mm", '.')) {
        if (column == kName) widen(row.name + QStringLiteral(" ※9"));
        if (column == kSymbol) widen(row.symbol);
    }
    for (const PropertyInfo& info : AllProperties()) {
        if (column == kName) widen(ToQString(info.japaneseName) + QStringLiteral(" ※9"));
        if (column == kSymbol) widen(ToQString(info.symbol));
        if (column != kUnit) continue;
        widen(ToQString(PropertyUnit(info.property, kNoUnit)));
        for (const Unit& unit : Units()) {
            widen(ToQString(PropertyUnit(info.property, unit.suffix)));
            widen(ToQString(UnitText(unit.suffix, 6)));
        }
    }
    return widest + 3 * metrics.averageCharWidth();
}

// The note under the table: Ip is not J, and how far the torsion values were
// checked (all of them, or all but those with a footnote of their own).
QString PolarNote(bool allWithinTolerance) {
    const QString polar = QStringLiteral(
        "Ip は断面極二次モーメント（Ix + Iy）で、ねじり定数 J ではありません。"
        "J・せん断中心・Iw・Zt は有限要素法の解（閉じた式のある断面は厳密解）で、");
    if (allWithinTolerance) return polar + QStringLiteral("表示した桁はすべて誤差評価で確かめています。");
    return polar + QStringLiteral("表示した桁は、注記した値を除き、すべて誤差評価で確かめています。");
}

QLabel* AddLabel(QWidget* window, QLayout* layout, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

}  // namespace

QPoint BesidePosition(const QRect& anchor, const QSize& size, const QRect& screen) {
    const int right = anchor.right() + 1 + kGap;
    const int left = anchor.left() - kGap - size.width();
    int x;
    if (right + size.width() <= screen.right() + 1)
        x = right;
    else if (left >= screen.left())
        x = left;
    else if (screen.right() - anchor.right() >= anchor.left() - screen.left())
        x = screen.right() + 1 - size.width();
    else
        x = screen.left();
    const int y =
        std::clamp(anchor.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {std::max(x, screen.left()), y};
}

DetailsWindow::DetailsWindow(QWidget* calculator) : QWidget(calculator, Qt::Window) {
    setupWindow();
    setupControls();
    setupActions();
}

void DetailsWindow::setupWindow() {
    setObjectName(QStringLiteral("DetailsWindow"));
    setWindowTitle(QStringLiteral("velmora: 断面性能の詳細"));
    ApplyColoursFontAndIcon(this);
    setWindowFlags((windowFlags() & ~Qt::WindowMinMaxButtonsHint) | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(TwipsSize(kClientWidth, kClientHeight));
}

void DetailsWindow::setupControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Px(180), Px(120), Px(180), Px(180));

    shapeName = AddLabel(this, layout, "shapeName");
    shapeName->setFont(GothicFont(11.25, true));
    dimensions = AddLabel(this, layout, "dimensions");

    auto* unitRow = new QHBoxLayout;
    auto* unitCaption = new QLabel(QStringLiteral("表示単位"), this);
    unitCaption->setObjectName(QStringLiteral("unitCaption"));
    displayUnit = new QComboBox(this);
    displayUnit->setObjectName(QStringLiteral("displayUnit"));
    displayUnit->addItem(QStringLiteral("入力と同じ"), QString());
    // The display units in the order of the calculator's unit list.
    for (const Unit& unit : Units()) displayUnit->addItem(ToQString(unit.suffix), ToQString(unit.suffix));
    unitCaption->setBuddy(displayUnit);
    unitRow->addWidget(unitCaption);
    unitRow->addWidget(displayUnit);
    unitRow->addStretch();
    layout->addLayout(unitRow);
    unitNote = AddLabel(this, layout, "unitNote",
                        QStringLiteral("電卓の単位が決まっていないため、表示単位は換算できません。"));
    unitNote->hide();

    table = new QTableWidget(0, kColumnCount, this);
    table->setObjectName(QStringLiteral("properties"));
    table->setAccessibleName(QStringLiteral("断面性能の一覧"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("断面性能"), QStringLiteral("記号"), QStringLiteral("値"), QStringLiteral("単位")});
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);  // Tab leaves the table, the arrows move in it
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    QHeaderView* header = table->horizontalHeader();
    // Widths measured once for every text a column can hold, so that a
    // keystroke re-measures nothing; the values take the rest.
    for (const int column : {kName, kSymbol, kUnit})
        header->resizeSection(column, ColumnWidth(*table, column));
    header->setSectionResizeMode(kValue, QHeaderView::Stretch);
    // The table is as wide as its texts need, the drawing takes the rest.
    const QFontMetrics metrics = table->fontMetrics();
    const int valueWidth =
        metrics.horizontalAdvance(QStringLiteral("-8.888888E+88")) + 3 * metrics.averageCharWidth();
    table->setFixedWidth(ColumnWidth(*table, kName) + ColumnWidth(*table, kSymbol) +
                         ColumnWidth(*table, kUnit) + valueWidth + 2 * table->frameWidth() +
                         style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    header->setDefaultAlignment(Qt::AlignCenter);
    // The table and the drawing in one widget, hidden together for a section
    // that is not real, so that their share of the height goes with them.
    tableArea = new QWidget(this);
    auto* tableRow = new QHBoxLayout(tableArea);
    tableRow->setContentsMargins(0, 0, 0, 0);
    tableRow->addWidget(table);
    torsionPanel = new TorsionPanel(tableArea);
    tableRow->addWidget(torsionPanel, 1);
    layout->addWidget(tableArea, 1);
    torsion = new TorsionComputation(this);

    sectionError = AddLabel(this, layout, "sectionError");
    sectionError->setFont(GothicFont(9, true));
    sectionError->hide();
    polarNote = AddLabel(this, layout, "polarNote", PolarNote(true));
    torsionNote = AddLabel(this, layout, "torsionNote", ToQString(analysis::kNoZtReason));
    torsionNote->hide();
    footnotes = AddLabel(this, layout, "footnotes");
    footnotes->hide();
    // Takes the height the table leaves when it is hidden, so that the lines
    // saying why the texts form no section stay together at the top.
    layout->addStretch();

    setTabOrder(displayUnit, table);
    setTabOrder(table, torsionPanel->findChild<QWidget*>(QStringLiteral("stressMap")));
}

void DetailsWindow::setupActions() {
    connect(displayUnit, &QComboBox::activated, this, &DetailsWindow::displayUnit_Activated);
    connect(torsion, &TorsionComputation::ready, this, &DetailsWindow::torsionReady);

    copyAction = new QAction(QStringLiteral("表をコピー"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WindowShortcut);
    connect(copyAction, &QAction::triggered, this, &DetailsWindow::copyTable);
    addAction(copyAction);  // Ctrl+C anywhere in the window
    // One menu for the whole window: the table passes its requests on to it.
    auto* menu = new QMenu(this);
    menu->addAction(copyAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint& pos) { menu->popup(mapToGlobal(pos)); });

    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    // The calculator's shortcuts (Ctrl+D, Ctrl+P, Ctrl+S) are added by the calculator.
}

// Closing from the keyboard hands the keys back to the calculator.
void DetailsWindow::closeEvent(QCloseEvent* event) {
    if (isActiveWindow() && parentWidget()->isVisible()) parentWidget()->activateWindow();
    QWidget::closeEvent(event);
}

// --- Showing -------------------------------------------------------------------

namespace {

// What the window shows depends on the shape, its entered slots, the unit and
// the thickness option only: the calculator filling a derived box (t, dm …)
// changes nothing here (the thin-wall footnotes derive those boxes from the
// entered slots as the calculator does), so those writes, several per
// keystroke, cost no recomputation.
bool ShowsTheSame(const DetailsSection& a, const DetailsSection& b) {
    const ShapeEntry* shape = FindShape(a.shape);
    if (!shape || a.shape != b.shape || a.unitSuffix != b.unitSuffix || a.optionTicked != b.optionTicked)
        return false;
    return std::all_of(shape->entered.begin(), shape->entered.end(), [&](const InputSlot& input) {
        const auto i = static_cast<std::size_t>(input.slot - 1);
        return a.texts[i] == b.texts[i];
    });
}

}  // namespace

void DetailsWindow::showSection(const DetailsSection& shown) {
    const bool unchanged = shownOnce && ShowsTheSame(section, shown);
    section = shown;
    shownOnce = true;
    if (!unchanged) refresh();
}

void DetailsWindow::refresh() {
    const ShapeEntry* shape = FindShape(section.shape);
    shapeName->setText(shape ? ToQString(shape->japaneseName) : QString());
    showDimensions(shape);
    updateUnitList();

    const PropertiesOutcome outcome = ComputeProperties(section.shape, section.texts, DecimalSeparator());
    if (const auto* error = std::get_if<SectionError>(&outcome)) {
        showError(ToQString(error->message));
    } else {
        startTorsion();
        showProperties(std::get<SectionProperties>(outcome));
    }
}

// "h = 300 mm" for each entered dimension, as typed.
void DetailsWindow::showDimensions(const ShapeEntry* shape) {
    QStringList lines;
    if (shape) {
        for (const InputSlot& input : shape->entered)
            lines << QStringLiteral("%1 = %2 %3")
                         .arg(ToQString(input.caption),
                              ToQString(section.texts[static_cast<std::size_t>(input.slot - 1)]).trimmed(),
                              ToQString(section.unitSuffix));
    }
    dimensions->setText(lines.join(QStringLiteral("　　")));
}

// The conversions need a known unit to convert from; with the calculator's
// "none" only "入力と同じ" is offered, and the user's choice comes back as soon
// as the calculator has a unit again.
void DetailsWindow::updateUnitList() {
    const bool convertible = LengthFactor(section.unitSuffix, Units().front().suffix).has_value();
    auto* model = qobject_cast<QStandardItemModel*>(displayUnit->model());
    for (int row = 1; row < displayUnit->count(); ++row) model->item(row)->setEnabled(convertible);
    unitNote->setVisible(!convertible);
    const int shown = convertible ? displayUnit->findData(ToQString(chosenSuffix)) : 0;
    if (displayUnit->currentIndex() != shown) displayUnit->setCurrentIndex(shown);
}

void DetailsWindow::showProperties(const SectionProperties& properties) {
    sectionError->hide();
    tableArea->show();
    table->show();
    torsionPanel->show();
    polarNote->show();

    const char separator = DecimalSeparator();
    const std::vector<CalculatorFootnote> notes =
        CalculatorFootnotes(section.shape, section.texts, properties, separator, section.optionTicked);
    calculatorNotes.clear();
    for (std::size_t i = 0; i < notes.size(); ++i)
        calculatorNotes << QStringLiteral("※%1 電卓の表示は %2（%3）")
                               .arg(i + 1)
                               .arg(CalculatorFigure(notes[i], section.unitSuffix),
                                    ToQString(notes[i].reason));

    const double factor = displayFactor();
    const std::string suffix = displayUnitSuffix();
    int row = 0;
    for (const PropertyInfo& info : AllProperties()) {
        if (info.principal && !properties.hasPrincipalAxes()) continue;
        if (table->rowCount() <= row) table->setRowCount(row + 1);
        QString name = ToQString(info.japaneseName);
        for (std::size_t i = 0; i < notes.size(); ++i)
            if (notes[i].property == info.property) name += QStringLiteral(" ※%1").arg(i + 1);
        SetCell(table, row, kName, name);
        SetCell(table, row, kSymbol, ToQString(info.symbol));
        SetCell(
            table, row, kValue,
            ToQString(PropertyText(Convert(info.property, properties[info.property], factor), separator)));
        const QString unit = ToQString(PropertyUnit(info.property, suffix));
        SetCell(table, row, kUnit, unit);
        // A screen reader says something for the empty unit of the shape factors.
        Cell(table, row, kUnit)
            ->setData(Qt::AccessibleTextRole, unit.isEmpty() ? QStringLiteral("単位なし") : unit);
        ++row;
    }
    table->setRowCount(showTorsionRows(row));
}

// Only a new section needs new values: a unit changes only how they are written.
void DetailsWindow::startTorsion() {
    const auto entered = EnteredSection(section.shape, section.texts, DecimalSeparator());
    const auto* dims = std::get_if<std::vector<double>>(&entered);
    if (!dims || (section.shape == torsionShape && *dims == torsionDims)) return;
    torsionShape = section.shape;
    torsionDims = *dims;
    torsion->start(torsionShape, torsionDims);
    torsionPanel->showOutline(MakeSectionPicture(torsionShape, torsionDims));
}

int DetailsWindow::showTorsionRows(int row) {
    const TorsionSolution* solution = torsion->solution();
    const analysis::TorsionResult* result = solution && solution->result ? &*solution->result : nullptr;
    const std::vector<TorsionRowText> rows =
        TorsionRows(result, displayFactor(), displayUnitSuffix(), DecimalSeparator(),
                    result ? std::span<const analysis::TorsionAccuracy>(solution->accuracy)
                           : std::span<const analysis::TorsionAccuracy>());
    // A value whose estimate is above its tolerance gets a footnote of its
    // own, numbered after the calculator's.
    QStringList noteLines = calculatorNotes;
    for (const TorsionRowText& text : rows) {
        if (table->rowCount() <= row) table->setRowCount(row + 1);
        QString name = text.name;
        if (!text.note.isEmpty()) {
            noteLines << QStringLiteral("※%1 %2").arg(noteLines.size() + 1).arg(text.note);
            name += QStringLiteral(" ※%1").arg(noteLines.size());
        }
        SetCell(table, row, kName, name);
        SetCell(table, row, kSymbol, text.symbol);
        // A failed solve says so in every row.
        SetCell(table, row, kValue, solution && !result ? solution->failure : text.value);
        SetCell(table, row, kUnit, text.unit);
        Cell(table, row, kValue)
            ->setData(Qt::AccessibleTextRole, text.value.isEmpty() ? QStringLiteral("値なし") : text.value);
        Cell(table, row, kUnit)
            ->setData(Qt::AccessibleTextRole, text.unit.isEmpty() ? QStringLiteral("単位なし") : text.unit);
        ++row;
    }
    torsionNote->setVisible(result && !result->Zt);
    const bool allChecked = noteLines.size() == calculatorNotes.size();
    if (const QString note = PolarNote(allChecked); polarNote->text() != note) polarNote->setText(note);
    if (const QString lines = noteLines.join(QLatin1Char('\n')); footnotes->text() != lines)
        footnotes->setText(lines);
    footnotes->setVisible(!noteLines.isEmpty());
    if (solution)
        torsionPanel->showSolution(*solution, displayFactor(), displayUnitSuffix(), DecimalSeparator());
    return row;
}

void DetailsWindow::torsionReady() {
    if (table->isHidden()) return;
    showTorsionRows(table->rowCount() - analysis::kTorsionPropertyCount);
}

void DetailsWindow::showError(const QString& line) {
    torsion->clear();
    torsionShape = kNoShape;
    torsionDims.clear();
    torsionPanel->clear();
    torsionPanel->hide();
    torsionNote->hide();
    table->setRowCount(0);
    table->hide();
    tableArea->hide();
    polarNote->hide();
    footnotes->hide();
    sectionError->setText(line);
    sectionError->show();
}

void DetailsWindow::displayUnit_Activated(int index) {
    chosenSuffix = displayUnit->itemData(index).toString().toStdString();
    refresh();
}

// --- Units, copying, placing -------------------------------------------------------

double DetailsWindow::displayFactor() const {
    if (chosenSuffix.empty()) return 1;
    return LengthFactor(section.unitSuffix, chosenSuffix).value_or(1);
}

std::string DetailsWindow::displayUnitSuffix() const {
    if (chosenSuffix.empty() || !LengthFactor(section.unitSuffix, chosenSuffix)) return section.unitSuffix;
    return chosenSuffix;
}

QString DetailsWindow::tableText() const {
    if (!sectionError->isHidden()) return sectionError->text() + QLatin1Char('\n');
    QString text;
    for (int row = 0; row < table->rowCount(); ++row)
        text += QStringList{table->item(row, kSymbol)->text(), table->item(row, kValue)->text(),
                            table->item(row, kUnit)->text()}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    return text;
}

void DetailsWindow::copyTable() const { QGuiApplication::clipboard()->setText(tableText()); }

void DetailsWindow::placeBeside(const QRect& screen) {
    const QWidget* calculator = parentWidget();
    // This window has no frame yet; take the calculator's frame for its own.
    const QSize frame = calculator->frameGeometry().size() - calculator->geometry().size();
    // As tall as all 25 rows need, as far as the screen allows.
    // The layout's hint leaves out what is hidden (the table, where the texts
    // form no section).
    const int rows =
        table->verticalHeader()->defaultSectionSize() * (kPropertyCount + analysis::kTorsionPropertyCount) +
        table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    const int others = layout()->sizeHint().height() -
                       (table->isHidden() ? -layout()->spacing() : table->sizeHint().height());
    resize(width(), std::min(others + rows, screen.height() - frame.height()));
    move(BesidePosition(calculator->frameGeometry(), size() + frame, screen));
}

}  // namespace velmora::ui
