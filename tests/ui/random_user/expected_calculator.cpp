#include "tests/ui/random_user/random_user.h"

#include "core/numtext.h"
#include "core/units.h"

namespace velmora::ui::testing {

void ExpectedCalculator::open(ShapeType openedShape) {
    shape = openedShape;
    answers.fill(QStringLiteral("0"));
    secondLine.fill(QString());
    secondLineShown.fill(false);
    values = {};
    unit = kDefaultUnitSuffix;
}

void ExpectedCalculator::clearResults() {
    answers.fill(QStringLiteral("0"));
    secondLine.fill(QString());
}

void ExpectedCalculator::applyAns(const AnsOutcome& outcome, char separator) {
    const auto text = [separator](float value) {
        return QString::fromStdString(SingleToText(value, separator));
    };
    values = outcome.values;
    if (outcome.showFirstLine)
        answers = {text(values.resA), text(values.resI), text(values.resZ), text(values.resK)};
    switch (outcome.secondLine) {
        case SecondLine::Full:
            secondLineShown.fill(true);
            secondLine = {text(values.resA2), text(values.resI2), text(values.resZ2), text(values.resK2)};
            break;
        case SecondLine::ZOnly:
            secondLineShown[2] = true;
            secondLine[2] = text(values.resZ2);
            break;
        case SecondLine::Untouched: break;
    }
}

}  // namespace velmora::ui::testing
