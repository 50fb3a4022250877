// The formula table the pictures are rendered from (tools/formulas/formulas.tsv),
// read by the tests to hold the committed pictures to their sources.
#pragma once

#include <QList>
#include <QString>

namespace velmora::ui::testing {

struct FormulaRow {
    int picture = -1;
    QList<int> shapes;
    QString kind;
    QString tex;
    QString text;
};

// The rows in file order; empty when the table cannot be read.
QList<FormulaRow> ReadFormulaTable();

}  // namespace velmora::ui::testing
