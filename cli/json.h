// The few pieces of JSON the writers need, written by hand: strings escaped
// (and kept valid UTF-8), numbers in shortest round-trip form.
#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

// Appends the text as a JSON string. Control characters are escaped; bytes
// that are not valid UTF-8 become U+FFFD, so the output always parses.
void AppendJsonString(std::string& out, std::string_view text);

// Appends the shortest text that reads back as the same double; null for
// NaN and the infinities, which JSON cannot hold.
void AppendJsonNumber(std::string& out, double value);

// The shortest round-trip text of a finite double ("0.1", "1e+300", "-0");
// empty for NaN and the infinities.
void AppendShortest(std::string& out, double value);
// The same written to [first, last), which must hold 32 characters; returns
// the end of the text.
char* WriteShortest(char* first, char* last, double value);

}  // namespace velmora::cli
