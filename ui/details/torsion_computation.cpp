#include "ui/details/torsion_computation.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <utility>

#include "core/properties.h"
#include "ui/common/section_picture.h"
#include "ui/common/text.h"

namespace velmora::ui {

TorsionSolution SolveTorsion(ShapeType shape, const std::vector<double>& dims, int samplesPerSide) {
    TorsionSolution solution;
    try {
        solution.result = analysis::ComputeTorsion(shape, dims);
        if (solution.result->field && samplesPerSide > 1)
            solution.samples = solution.result->field->Samples(samplesPerSide);
    } catch (const std::exception&) {
        solution.result.reset();
        solution.samples.clear();
        solution.failure = QStringLiteral("ねじりの値を計算できませんでした");
    }
    return solution;
}

TorsionComputation::TorsionComputation(QObject* parent) : QObject(parent) {}

void TorsionComputation::start(ShapeType shape, std::vector<double> dims) {
    emit superseded();
    const unsigned long long tag = ++generation_;
    pending_ = true;
    solution_.reset();
    using Result = std::shared_ptr<const TorsionSolution>;
    auto* watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, tag] {
        watcher->deleteLater();
        if (tag != generation_) return;  // a later request is on its way: never show this one
        if (watcher->future().isCanceled() || watcher->future().resultCount() == 0) return;
        solution_ = watcher->result();
        pending_ = false;
        emit ready();
    });
    // A request superseded before the pool reached it is not run at all.
    connect(this, &TorsionComputation::superseded, watcher, [watcher] { watcher->cancel(); });
    watcher->setFuture(QtConcurrent::run([shape, dims = std::move(dims)] {
        return std::make_shared<const TorsionSolution>(SolveTorsion(shape, dims, kStressSamplesPerSide));
    }));
}

void TorsionComputation::clear() {
    emit superseded();
    ++generation_;
    pending_ = false;
    solution_.reset();
}

}  // namespace velmora::ui
