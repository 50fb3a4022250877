#include "ui/formula/formula_text.h"

#include <QFile>
#include <QXmlStreamReader>

#include "ui/common/pictures.h"

namespace velmora::ui {

QString FormulaText(int picture) {
    QFile file(FormulaPath(picture));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    // The title is a child of the root <svg>, ahead of the drawing.
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("svg")) return {};
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("title")) return xml.readElementText().simplified();
        xml.skipCurrentElement();
    }
    return {};
}

}  // namespace velmora::ui
