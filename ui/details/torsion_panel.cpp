#include "ui/details/torsion_panel.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>
#include <utility>

#include "core/properties.h"
#include "ui/common/text.h"
#include "ui/details/torsion_computation.h"

namespace velmora::ui {

SectionPictureView::SectionPictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sectionPicture"));
    setAccessibleName(QStringLiteral("断面の図"));
    setMinimumSize(150, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SectionPictureView::setPicture(SectionPicture picture) {
    picture_ = std::move(picture);
    empty_ = picture_.geometry.outlines.empty();
    update();
}

void SectionPictureView::setStressMap(bool on) {
    if (stressMap_ == on) return;
    stressMap_ = on;
    update();
}

double SectionPictureView::labelPixels() const { return QFontMetricsF(font()).height(); }

void SectionPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    if (!empty_) PaintSectionPicture(painter, QRectF(rect()), picture_, stressMap_, labelPixels());
}

TorsionPanel::TorsionPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view = new SectionPictureView(this);
    layout->addWidget(view, 1);
    stressBox = new QCheckBox(QStringLiteral("ねじりせん断応力を表示"), this);
    stressBox->setObjectName(QStringLiteral("stressMap"));
    layout->addWidget(stressBox);
    connect(stressBox, &QCheckBox::toggled, view, &SectionPictureView::setStressMap);
    describe({});
}

void TorsionPanel::showOutline(SectionPicture picture) {
    view->setPicture(std::move(picture));
    describe(QString::fromUtf8(kComputing));
}

void TorsionPanel::showSolution(const TorsionSolution& solution, double lengthFactor,
                                const std::string& unitSuffix, char decimalSeparator) {
    SectionPicture picture = view->picture();
    if (!solution.result) {
        picture.shearCentre.reset();
        picture.samples.clear();
        view->setPicture(std::move(picture));
        describe(solution.failure);
        return;
    }
    const analysis::TorsionResult& result = *solution.result;
    const QString unit = ToQString(unitSuffix);
    const auto length = [&](double value) {
        return ToQString(PropertyText(ConvertLength(value, lengthFactor, 1), decimalSeparator)) +
               (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
    };
    picture.shearCentre = QPointF(result.xs, result.ys);
    picture.offsets = QStringLiteral("S：xs = %1\nys = %2").arg(length(result.xs), length(result.ys));
    picture.samples = solution.samples;
    picture.samplesPerSide = kStressSamplesPerSide;
    picture.maxStress = result.maxStressUnitTorque;
    if (result.maxStressUnitTorque) {
        // |τ| under T = 1 is in 1/length³: divided by the factor cubed.
        const double shown = *result.maxStressUnitTorque / ConvertLength(1, lengthFactor, 3);
        picture.maxStressText = QStringLiteral("最大 %1 %2⁻³")
                                    .arg(ToQString(PropertyText(shown, decimalSeparator)), unit)
                                    .trimmed();
    } else {
        picture.maxStressText = QString::fromUtf8(kUnboundedStress);
    }
    view->setPicture(std::move(picture));
    describe(QStringLiteral("せん断中心 S は G から x 方向 %1、y 方向 %2")
                 .arg(length(result.xs), length(result.ys)));
}

void TorsionPanel::clear() {
    view->setPicture({});
    describe({});
}

void TorsionPanel::describe(const QString& shearCentre) {
    if (view->picture().geometry.outlines.empty()) {
        view->setAccessibleDescription(QStringLiteral("断面がありません"));
        return;
    }
    view->setAccessibleDescription(QStringLiteral("断面の外形。図心 G は座標軸の原点。%1").arg(shearCentre));
}

}  // namespace velmora::ui
