// Every message text the program shows, and the title all its message boxes bear.
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
