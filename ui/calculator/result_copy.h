// "結果をコピー": the calculator's results, as its frames show them, put on the
// clipboard as text that pastes well into a spreadsheet or a note.
#pragma once

#include <QString>
#include <span>

namespace velmora::ui {

class ResultFrame;

// The texts on show, one line per frame, the cells separated by tabs: the
// symbol, the value and the unit with its exponent; where the frame shows a
// second line, its value and the unit follow.
//   A      28        mm²
//   Z      8         mm³   4   mm³
//   k²     11.7619   mm
QString ResultsText(std::span<ResultFrame* const> frames);

// Puts ResultsText on the clipboard.
void CopyResults(std::span<ResultFrame* const> frames);

}  // namespace velmora::ui
