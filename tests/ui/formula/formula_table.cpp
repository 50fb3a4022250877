#include "tests/ui/formula/formula_table.h"

#include <QFile>
#include <QStringList>

namespace velmora::ui::testing {

QList<FormulaRow> ReadFormulaTable() {
    QFile file(QStringLiteral(VELMORA_FORMULA_TABLE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QList<FormulaRow> rows;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(QLatin1Char('\n'))) line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 5) return {};
        FormulaRow row{cells[0].toInt(), {}, cells[2], cells[3], cells[4]};
        for (const QString& shape : cells[1].split(QLatin1Char(','))) row.shapes.append(shape.toInt());
        rows.append(row);
    }
    return rows;
}

}  // namespace velmora::ui::testing
