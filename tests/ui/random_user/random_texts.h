// The random source of the random user and the texts it types and pastes.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <random>

namespace velmora::ui::testing {

// One seeded engine: the same seed replays the same run.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}

    // 0 to n - 1.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(engine_); }

    template <typename T>
    T pick(std::initializer_list<T> items) {
        return items.begin()[below(static_cast<int>(items.size()))];
    }

    // An index drawn with the given weights.
    int weighted(std::initializer_list<int> weights);

private:
    std::mt19937_64 engine_;
};

// A text a user might type into a dimension box: mostly plain numbers, some
// at the edges of single precision, some that are no number at all.
QString RandomNumberText(Dice& dice);

// One character of what a person types: digits, signs, point, exponent
// letters, blanks, letters, full-width digits, Japanese.
QChar RandomCharacter(Dice& dice);

// What may be on the clipboard: numbers, junk, several lines, long texts of
// thousands of characters.
QString RandomClipboardText(Dice& dice);

// A Japanese word as an input method commits it.
QString RandomJapaneseText(Dice& dice);

}  // namespace velmora::ui::testing
