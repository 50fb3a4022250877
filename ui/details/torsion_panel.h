// Beside the details window's table: the drawing of the section with G and S
// and, under the check box "ねじりせん断応力を表示", the stress map.
#pragma once

#include <QWidget>
#include <string>

#include "ui/common/section_picture.h"

class QCheckBox;

namespace velmora::ui {

struct TorsionSolution;

// The drawing itself: vector painting at whatever size and pixel ratio the
// window gives it. Its accessible description says where G and S are.
class SectionPictureView final : public QWidget {
    Q_OBJECT

public:
    explicit SectionPictureView(QWidget* parent);

    void setPicture(SectionPicture picture);
    void setStressMap(bool on);
    const SectionPicture& picture() const { return picture_; }
    bool stressMap() const { return stressMap_; }
    // The label height the drawing uses, in logical pixels.
    double labelPixels() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SectionPicture picture_;
    bool stressMap_ = false;
    bool empty_ = true;
};

class TorsionPanel final : public QWidget {
    Q_OBJECT

public:
    explicit TorsionPanel(QWidget* parent);

    // The outline of a new section; G now, S once its values come.
    void showOutline(SectionPicture picture);
    // The current section's values, written in the display unit.
    void showSolution(const TorsionSolution& solution, double lengthFactor, const std::string& unitSuffix,
                      char decimalSeparator);
    // No real section: no drawing.
    void clear();

private:
    void describe(const QString& shearCentre);

    SectionPictureView* view = nullptr;
    QCheckBox* stressBox = nullptr;
};

}  // namespace velmora::ui
