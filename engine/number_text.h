#pragma once

#include <string>
#include <string_view>

namespace gosei {

// Reads the number written at the start of a UTF-8 text, the way both input
// boxes are read. Full-width digits, point and signs count as their ASCII
// forms; blanks (space, tab, ideographic space) may precede the sign. The
// longest prefix
//     blanks* [sign] (digits [. digits*] | . digits) [(e|E) [sign] digits]
// is converted, correctly rounded. A text with no such prefix reads 0; a value
// beyond the double range reads as infinity of its sign. Linear in the text's
// length for any input, including invalid UTF-8.
double leadingNumber(std::string_view text);

// The sign of that number, decided by its digits rather than by its double,
// so that a number too small for a double still counts as positive: -1, 0
// (no number, or only zero digits) or 1.
int leadingNumberSign(std::string_view text);

// Text forms of a number: rounded to 15 (double) or 7 (single) significant
// digits, without trailing zeros. Magnitudes from 1E-05 up to 1E+15 are
// written in plain decimal notation, others as "4.7E+30" or "3.3E-06".
std::string doubleText(double value);
std::string singleText(float value);

}  // namespace gosei
