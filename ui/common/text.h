// Text helpers the windows share: UTF-8 views to QString, the decimal separator
// and the number texts of the results.
#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

#include "core/numtext.h"

namespace velmora::ui {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The character the user's locale writes between whole and fraction; '.' when
// the locale's separator is not a single ASCII character.
inline char DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    const char separator = point.size() == 1 ? point.front().toLatin1() : '\0';
    return separator ? separator : '.';
}

// A stored result as the result labels show it.
inline QString NumberText(float value) { return ToQString(SingleToText(value, DecimalSeparator())); }

}  // namespace velmora::ui
