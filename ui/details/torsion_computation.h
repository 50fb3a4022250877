// The torsion values of the section on show, computed off the user interface
// thread: each start() tags a new request and makes every earlier one stale,
// so that a result arrives (by the queued signal of its future's watcher) only
// for the section last asked for. Deleting the object mid-solve is safe: the
// solve finishes in the pool with its own copy of the section, and its result
// goes nowhere.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/torsion.h"
#include "analysis/torsion_accuracy.h"
#include "core/catalogue.h"
#include "ui/common/torsion_text.h"

namespace velmora::ui {

// One section's torsion values, how far each can be trusted, and the samples
// of its stress map, or why it could not be computed.
struct TorsionSolution {
    std::optional<analysis::TorsionResult> result;
    std::array<analysis::TorsionAccuracy, analysis::kTorsionPropertyCount> accuracy{};
    std::vector<analysis::TorsionField::Sample> samples;
    QString failure;
};

// The solve itself, as the pool runs it, to `tolerance` (TorsionOptions').
TorsionSolution SolveTorsion(ShapeType shape, const std::vector<double>& dims, int samplesPerSide,
                             double tolerance = analysis::TorsionOptions{}.tolerance);

// Waits until every solve started so far has ended (for tests and benches).
void WaitForTorsionSolves();

class TorsionComputation final : public QObject {
    Q_OBJECT

public:
    explicit TorsionComputation(QObject* parent);

    // Starts computing the section `dims` of `shape` (they form a real section).
    void start(ShapeType shape, std::vector<double> dims);
    // Nothing is to be shown: any running computation becomes stale.
    void clear();

    // The tolerance of the computations started from now on. Always the
    // default in the program; tests ask for an unreachable one to see how
    // values that fall short of it are shown.
    void setTolerance(double tolerance) { tolerance_ = tolerance; }

    // The last requested section's values, once they are ready.
    const TorsionSolution* solution() const { return solution_.get(); }
    bool pending() const { return pending_; }

signals:
    // The current section's values are ready (solution()).
    void ready();
    // A new request or clear(): every earlier one is stale.
    void superseded();

private:
    unsigned long long generation_ = 0;
    bool pending_ = false;
    double tolerance_ = analysis::TorsionOptions{}.tolerance;
    std::shared_ptr<const TorsionSolution> solution_;
};

}  // namespace velmora::ui
