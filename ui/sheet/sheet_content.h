// What a calculation sheet says, gathered from the calculator before it is
// laid out: the heading lines, the dimensions as entered, the working of each
// result and, if asked for, the table of every property.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/torsion.h"
#include "core/ans.h"
#include "core/catalogue.h"
#include "core/sheet_working.h"
#include "ui/common/section_picture.h"

namespace velmora::ui {

// The calculator as it stands when the sheet is asked for: the entered texts,
// the tick, the unit label and the result texts on show.
struct CalculatorSnapshot {
    ShapeType shape = kNoShape;
    InputTexts texts;
    bool optionTicked = false;
    std::string unitSuffix;
    std::array<QString, 4> firstLine;   // ansal, ansil, anszl, anskl
    std::array<QString, 4> secondLine;  // unal, unil, unzl, unkl; empty where nothing is shown
    char decimalSeparator = '.';
    // The details window's display unit suffix while that window is open.
    std::optional<std::string> detailsUnitSuffix;
};

// What the user gives in the sheet's dialog.
struct SheetRequest {
    QString subject;  // 件名
    QString member;   // 部材
    QString author;   // 作成者
    bool includeDetails = false;
};

struct DimensionRow {
    QString caption;  // the symbol: "h₁", "h̄"
    QString value;    // the text as entered or as the window derived it
    bool derived = false;
};

struct DetailsRow {
    QString name;    // "断面係数（上縁）"
    QString symbol;  // "Zx上"
    QString value;   // in the display unit
    QString unit;    // "cm³"
};

struct DetailsTable {
    QString unitSuffix;  // the display unit the values are written in
    QList<DetailsRow> rows;
    QString error;  // why there are no rows, when the section is not a real one
    // The torsion values (J, xs, ys, Iw, Zt), how they were obtained, why
    // there is no Zt where there is none, and the drawing with G and S.
    QList<DetailsRow> torsionRows;
    QString torsionMethod;
    QString torsionNote;
    // "※1 …" for each value whose error estimate is above its tolerance; its
    // row's name carries the mark.
    QStringList torsionFootnotes;
    std::optional<SectionPicture> picture;
};

struct SheetContent {
    QString title;  // "断面性能計算書"
    QDate date;
    SheetRequest request;
    int shape = -1;
    QString shapeName;   // "ボックス断面"
    QString unitSuffix;  // the calculator's unit label
    QList<DimensionRow> dimensions;
    // The working, in the calculator's order; empty when the dimensions form
    // no real section (`notice` names the failed condition) or the results on
    // show are not those of the texts entered (Ans not pressed since the last
    // edit, or an input error), in which case `notice` says so.
    std::vector<WorkingLine> working;
    QString notice;
    std::optional<DetailsTable> details;
    QString footer;  // "velmora 0.0.2"
};

inline constexpr char kSheetTitle[] = "断面性能計算書";

// The sheet for a snapshot of the calculator and the dialog's answers, dated
// `date`; the torsion values are computed to `torsionTolerance` (the default
// in the program, another one in tests).
SheetContent BuildSheet(const CalculatorSnapshot& snapshot, const SheetRequest& request, const QDate& date,
                        double torsionTolerance = analysis::TorsionOptions{}.tolerance);

// True when the working's values are exactly the texts on show in the
// calculator's result labels, line by line.
bool WorkingMatchesScreen(const std::vector<WorkingLine>& working, const CalculatorSnapshot& snapshot);

}  // namespace velmora::ui
