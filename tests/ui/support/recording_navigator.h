// The navigator of a window tested on its own: records every hand-over the
// window asks for and follows none.
#pragma once

#include <QList>

#include "ui/common/context.h"

namespace velmora::ui::testing {

class RecordingNavigator final : public Navigator {
public:
    void showCalculator() override { ++calculatorRequests; }
    void showSelection() override { ++selectionRequests; }
    void showFormulaViewer(QWidget* owner) override { formulaOwners.append(owner); }
    void showInformation(QWidget* owner) override { informationOwners.append(owner); }

    // How many hand-overs of any kind were asked for.
    qsizetype requests() const {
        return calculatorRequests + selectionRequests + formulaOwners.size() + informationOwners.size();
    }

    int calculatorRequests = 0;
    int selectionRequests = 0;
    QList<QWidget*> formulaOwners;
    QList<QWidget*> informationOwners;
};

}  // namespace velmora::ui::testing
