// The calculator window: the dimensions of the chosen shape, the unit list,
// the Ans button and the four result frames.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <string_view>

#include "core/ans.h"
#include "core/catalogue.h"
#include "ui/common/context.h"
#include "ui/common/platform.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::ui {

class ContextMenu;
class DefaultButton;
class DetailsWindow;
class ResultFrame;
struct CalculatorSnapshot;

class Form2 final : public QWidget {
    Q_OBJECT

public:
    // Builds the window and runs its whole opening sequence for context.module.SelectedShape.
    explicit Form2(AppContext& context, QWidget* parent = nullptr);

    // The details window while it is open, else nullptr.
    DetailsWindow* detailsWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static constexpr int kOptionCount = 3;  // chk1 to chk3
    static constexpr int kResultCount = 4;  // Frame2 to Frame5
    static inline const QString kCopyResultsText = QStringLiteral("結果をコピー");

    // Construction, in this order.
    void setupWindow();
    void setupControls();  // form2_layout.cpp
    void setupTabOrder();
    void setupConnections();
    void Form_Load();

    // Opening and per-shape set-up.
    void HidePictures();
    void ResetInputs();
    void ShowDrawing();
    void SetUpShape();
    void ClearValues();

    // The result labels.
    void ClearAnswers();
    void ShowUnit();
    void ShowAnswers();
    void ClearSecondLine();
    void HideSecondLine();
    void ShowSecondLine();
    void ShowSecondAnswers();

    // The derived inputs of the shapes with a "t" option.
    void UpdateThicknessInputs();

    // Handlers of the user's actions. txt_Change serves txt1_Change to txt7_Change.
    void txt_Change(int slot);
    void chk_Click();
    void cmb1_Click();
    void cmd1_Click();
    void Frame_DblClick(const char* formulaKind);
    void img1_DblClick();
    void oc2_Click();
    void oc3_Click();

    // The context menu and the details window (form2_details.cpp).
    void setupContextMenu();
    void setupDetails();
    void showDetails();
    void placeDetails();
    void enableCopy(bool enabled);  // "結果をコピー"
    void updateDetails();

    QLineEdit* txt(int slot) const { return txts[static_cast<std::size_t>(slot - 1)]; }
    QLabel* lbl(int slot) const { return lbls[static_cast<std::size_t>(slot - 1)]; }
    QCheckBox* optionBox() const;  // the selected shape's thickness option, or nullptr
    bool optionTicked() const;
    InputTexts inputTexts() const;
    CalculatorSnapshot sheetSnapshot() const;  // what a calculation sheet is made from
    void setUnitListText(std::string_view text);
    MessageAnswer warn(std::string_view text, MessageButtons buttons = MessageButtons::Ok);

    AppContext& context_;

    QGroupBox* Frame1 = nullptr;
    QLabel* img1 = nullptr;
    QComboBox* cmb1 = nullptr;
    std::array<QLabel*, kSlotCount> lbls{};
    std::array<QLineEdit*, kSlotCount> txts{};
    std::array<QCheckBox*, kOptionCount> chks{};
    QPushButton* cmd1 = nullptr;
    std::array<ResultFrame*, kResultCount> frames{};
    QPushButton* oc2 = nullptr;
    QPushButton* oc3 = nullptr;
    DefaultButton* defaultButton_ = nullptr;  // Ans, or the focused button
    QPointer<DetailsWindow> details_;
    ContextMenu* menu_ = nullptr;
};

}  // namespace velmora::ui
