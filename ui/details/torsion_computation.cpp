#include "ui/details/torsion_computation.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>
#include <utility>

#include "core/properties.h"
#include "ui/common/section_picture.h"
#include "ui/common/text.h"

namespace velmora::ui {

TorsionSolution SolveTorsion(ShapeType shape, const std::vector<double>& dims, int samplesPerSide,
                             double tolerance) {
    TorsionSolution solution;
    try {
        analysis::TorsionOptions options;
        options.tolerance = tolerance;
        solution.result = analysis::ComputeTorsion(shape, dims, options);
        solution.accuracy = analysis::Accuracy(*solution.result, shape, dims, tolerance);
        if (solution.result->field && samplesPerSide > 1)
            solution.samples = solution.result->field->Samples(samplesPerSide);
    } catch (const std::exception&) {
        solution.result.reset();
        solution.samples.clear();
        solution.failure = QStringLiteral("ねじりの値を計算できませんでした");
    }
    return solution;
}

namespace {

// The solves' own pool, not Qt's global one: Qt's painting splits image work
// over the global pool and waits for it, so a solve there would hold up the
// next repaint. One core is left to the user interface; the pool belongs to
// the application, which waits for its last solve as it ends.
QThreadPool& SolvePool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(QCoreApplication::instance());
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        return p;
    }();
    return *pool;
}

}  // namespace

void WaitForTorsionSolves() { SolvePool().waitForDone(); }

TorsionComputation::TorsionComputation(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("torsionComputation"));
}

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
    watcher->setFuture(
        QtConcurrent::run(&SolvePool(), [shape, dims = std::move(dims), tolerance = tolerance_] {
            return std::make_shared<const TorsionSolution>(
                SolveTorsion(shape, dims, kStressSamplesPerSide, tolerance));
        }));
}

void TorsionComputation::clear() {
    emit superseded();
    ++generation_;
    pending_ = false;
    solution_.reset();
}

}  // namespace velmora::ui
