// The Ans operation's computation, from the dispatch on the shape to its end.
// The window runs the unit check first, then applies the outcome in order:
// values, first line, message, second line.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/catalogue.h"
#include "core/module1.h"

namespace velmora {

enum class AnsMessage {
    None,
    InputError,        // "入力に誤りがあります"
    ThinWallCondition  // "条件 t<<dm が成立しません"
};

enum class SecondLine {
    Untouched,  // the second-line labels stay as they are
    Full,       // ShowSecondLine, then ShowSecondAnswers
    ZOnly       // unzl alone made visible and given the text of resZ2
};

struct AnsOutcome {
    // The variables after the run, including what was stored before a failure.
    SectionValues values;
    bool showFirstLine = false;                     // ShowAnswers
    AnsMessage message = AnsMessage::None;          // shown after the first line
    SecondLine secondLine = SecondLine::Untouched;  // applied last

    bool operator==(const AnsOutcome&) const = default;
};

// The texts of txt1 to txt7.
using InputTexts = std::array<std::string, kSlotCount>;

// Runs the shape's block. `optionTicked` is the state of the shape's thickness
// check box (ignored for shapes without one); `before` holds the variables as
// they were. A shape outside 0 to 24 gives an outcome that changes nothing.
AnsOutcome ComputeAnswers(ShapeType shape, const InputTexts& texts, bool optionTicked,
                          const SectionValues& before, char decimalSeparator = '.');

std::string_view MessageText(AnsMessage message);

}  // namespace velmora
