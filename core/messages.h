// The message texts of the calculator, the selection window and the exit
// question, and the title every message box of the program bears. The sheet's
// messages about saving live in ui/sheet, and the details window's lines about
// a section that is not real with their conditions in core/section_checks.h.
#pragma once

#include <string_view>

namespace velmora {

inline constexpr std::string_view kMessageTitle = "利用ナビ";
inline constexpr std::string_view kInputErrorMessage = "入力に誤りがあります";
inline constexpr std::string_view kThinWallConditionMessage = "条件 t<<dm が成立しません";
inline constexpr std::string_view kWallNotConstantMessage = "厚みが一定ではありません";
inline constexpr std::string_view kConfirmExitMessage = "本当に終了しますか？";
inline constexpr std::string_view kChooseShapeMessage = "計算する断面形状を選択して下さい";
// Three lines joined by a single carriage return each.
inline constexpr std::string_view kUnitMissingMessage =
    "単位が選択されていません。\r\r「OK」を選択すると単位を \"mm\" に設定します。";

}  // namespace velmora
