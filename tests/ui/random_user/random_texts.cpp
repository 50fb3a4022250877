#include "tests/ui/random_user/random_texts.h"

#include <numeric>

namespace velmora::ui::testing {

int Dice::weighted(std::initializer_list<int> weights) {
    int roll = below(std::accumulate(weights.begin(), weights.end(), 0));
    int index = 0;
    for (int weight : weights) {
        if (roll < weight) return index;
        roll -= weight;
        ++index;
    }
    return index - 1;
}

QString RandomNumberText(Dice& dice) {
    switch (dice.weighted({40, 15, 8, 10, 12, 15})) {
        case 0: return QString::number(dice.between(0, 200));  // the usual dimensions
        case 1: return QString::number(dice.between(1, 999)) + '.' + QString::number(dice.between(0, 99));
        case 2: return '-' + QString::number(dice.between(0, 50));
        case 3:  // exponent forms, large and small
            return QString::number(dice.between(1, 9)) + dice.pick({'e', 'E'}) + dice.pick({"", "+", "-"}) +
                   QString::number(dice.between(0, 45));
        case 4:  // the edges of single precision
            return QString::fromLatin1(dice.pick<const char*>(
                {"1e39", "3.4028236e38", "3.4028234e38", "3.4028235e38", "1e-46", "1e-45", "1.17549435e-38",
                 "1e38", "1e19", "1e10", "2e9", "-1e39", "1E+38", "0.0000001", "65504"}));
        default:  // no number, or almost one
            return QString::fromUtf8(dice.pick<const char*>(
                {"",   "-",    "+",      ".",   "e",   "1e",   "--1", "1..2", "1e+", " 12", "12 ", "1 2",
                 "０", "１２", "12ｍｍ", "abc", "1,5", "0x10", "inf", "nan",  "1e-", "+.5", "5."}));
    }
}

QChar RandomCharacter(Dice& dice) {
    switch (dice.weighted({50, 6, 5, 3, 4, 3, 5, 8, 6, 3, 2})) {
        case 0: return QChar('0' + dice.below(10));
        case 1: return '.';
        case 2: return '-';
        case 3: return '+';
        case 4: return dice.pick({'e', 'E'});
        case 5: return ' ';
        case 6: return QChar('a' + dice.below(26));
        case 7: return QChar(0xFF10 + dice.below(10));  // full-width digits
        case 8: return dice.pick<char16_t>({u'あ', u'漢', u'ー', u'．', u'－', u'ｍ'});
        case 9: return dice.pick({',', '/', '*', '(', '"', '\\'});
        default: return QChar(0x00C0 + dice.below(0x40));  // Latin-1 letters
    }
}

QString RandomClipboardText(Dice& dice) {
    switch (dice.weighted({30, 10, 8, 6, 6, 6, 6, 5, 3})) {
        case 0: return RandomNumberText(dice);
        case 1: return QString::fromLatin1(dice.pick<const char*>({"1e39", "-", "3.4028236e38", "1e-46"}));
        case 2: {  // a long run of digits: far beyond single precision
            QString text = QString::number(dice.between(1, 9));
            return text + QString(dice.between(10, 5000), '0');
        }
        case 3:  // long but tiny: underflows to zero without an error
            return QStringLiteral("0.") + QString(dice.between(40, 4000), '0') + '1';
        case 4: {  // thousands of random characters
            QString text;
            for (int n = dice.between(100, 4000); n > 0; --n) text += RandomCharacter(dice);
            return text;
        }
        case 5: return RandomNumberText(dice) + dice.pick({'\n', '\t', '\r'}) + RandomNumberText(dice);
        case 6: return RandomJapaneseText(dice);
        case 7: return QString(dice.between(1, 3000), ' ') + RandomNumberText(dice);
        default: return QString();  // an empty clipboard: pasting does nothing
    }
}

QString RandomJapaneseText(Dice& dice) {
    return QString::fromUtf8(dice.pick<const char*>(
        {"あ", "ミリ", "断面積", "１２３", "十", "ｍｍ", "厚み", "１．５", "－３", "ｅ"}));
}

}  // namespace velmora::ui::testing
