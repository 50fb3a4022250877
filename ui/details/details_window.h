// The details window: every property of the section entered in the
// calculator, in a table, written in the display unit the user chooses. One
// per calculator; the calculator owns it, places it beside itself and feeds it
// after every change, so it always shows the section on the calculator's screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "core/ans.h"
#include "core/catalogue.h"
#include "core/properties.h"

class QAction;
class QComboBox;
class QLabel;
class QTableWidget;

namespace velmora::ui {

class TorsionComputation;
class TorsionPanel;

// What the calculator has on show: its shape, the texts of txt1 to txt7, its
// unit suffix ("mm", …, or "none") and whether its '"t"を用いる' is ticked.
struct DetailsSection {
    ShapeType shape = kNoShape;
    InputTexts texts;
    std::string unitSuffix;
    bool optionTicked = false;
};

// Where a window whose outer size is `size` goes beside `anchor` (the outer
// frame of the calculator) on `screen`: to its right when it fits there, else
// to its left when it fits there, else against whichever screen edge leaves
// more of the calculator uncovered. Top-aligned with the anchor and kept on
// the screen.
QPoint BesidePosition(const QRect& anchor, const QSize& size, const QRect& screen);

class DetailsWindow final : public QWidget {
    Q_OBJECT

public:
    // A window of its own that belongs to `calculator` and is deleted with it.
    explicit DetailsWindow(QWidget* calculator);

    // Recomputes every property of `section` and shows it.
    void showSection(const DetailsSection& section);

    // Moves the window beside the calculator on `screen` (see BesidePosition).
    void placeBeside(const QRect& screen);

    // The unit the values are written in: the chosen display unit, or the
    // calculator's own suffix under "入力と同じ" and wherever no conversion is
    // possible (the calculator's unit "none").
    std::string displayUnitSuffix() const;

    // The table as text for a spreadsheet, one row a line: symbol, value and
    // unit separated by tabs. Where the texts form no section, the line that
    // says why.
    QString tableText() const;
    void copyTable() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction, in this order.
    void setupWindow();
    void setupControls();
    void setupActions();

    // Each refresh rebuilds what the section and the display unit decide.
    void refresh();
    void showDimensions(const ShapeEntry* shape);
    void updateUnitList();
    void showProperties(const SectionProperties& properties);
    // The torsion block: a new computation when the section changed, and the
    // five rows from `row` on, "計算中…" until its values are ready.
    void startTorsion();
    int showTorsionRows(int row);
    void torsionReady();
    void showError(const QString& line);
    void displayUnit_Activated(int index);

    // The factor from the calculator's unit to the display unit, 1 under "入力と同じ".
    double displayFactor() const;

    DetailsSection section;
    bool shownOnce = false;    // `section` holds what the window shows
    std::string chosenSuffix;  // the user's choice; empty for "入力と同じ"

    QLabel* shapeName = nullptr;
    QLabel* dimensions = nullptr;
    QComboBox* displayUnit = nullptr;
    QLabel* unitNote = nullptr;
    QTableWidget* table = nullptr;
    QLabel* sectionError = nullptr;
    QLabel* polarNote = nullptr;
    QLabel* torsionNote = nullptr;  // why there is no Zt
    TorsionComputation* torsion = nullptr;
    QWidget* tableArea = nullptr;  // the table and the drawing beside it
    TorsionPanel* torsionPanel = nullptr;
    // The section the torsion values are for (shape and entered dimensions).
    ShapeType torsionShape = kNoShape;
    std::vector<double> torsionDims;
    QLabel* footnotes = nullptr;
    QStringList calculatorNotes;  // the calculator's footnotes; the torsion values' follow them
    QAction* copyAction = nullptr;
};

}  // namespace velmora::ui
