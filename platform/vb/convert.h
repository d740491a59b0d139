// Conversions between text and numbers with the rules of the runtime the
// program was designed on. Stored settings are read and written through them,
// so their text forms must stay as they are.
//
// Text accepted as a number (CInt, CLng, CDbl, IsNumeric):
//   - blanks (space, tab) before and after; nothing else around the number;
//   - a decimal number: an optional + or -, digits with at most one decimal
//     separator (the user's, see platform/locale.h), at least one digit
//     ("5.", ".5"), then an optional exponent: e or E, an optional sign and
//     digits ("1e2", "2.5E-3");
//   - or a 32-bit pattern in hexadecimal "&H1F" or octal "&O17", any letter
//     case, without sign or blanks inside.
// Deliberately not accepted, although the original runtime reads some of
// them: thousands separators (so with ',' as decimal separator "1.5" is no
// number rather than fifteen), currency signs, parentheses, trailing signs,
// "&" without H or O, other white space. A text that reads as another number
// than the user meant does more harm than one that is refused.
//
// Failures raise vb::Error: 13 "Type mismatch" for text that is no number
// (the empty text included), 6 "Overflow" for a number outside the type.
#pragma once

#include <cstdint>

#include "platform/vb/string.h"

namespace vb {

// Nearest integer; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Infinities and NaN come back unchanged.
double RoundHalfEven(double value);

// 16-bit integer. Fractions round half to even, computed on the decimal
// digits of a text (so "2.5000000000000001" gives 3). A hex or octal pattern
// up to &HFFFF is taken as 16 bits: "&HFFFF" is -1.
int16_t CInt(StringView text);
int16_t CInt(double value);

// 32-bit integer, the same rules; "&HFFFFFFFF" is -1, "&HFFFF" is 65535.
int32_t CLng(StringView text);
int32_t CLng(double value);

// Double. Hex and octal patterns give their unsigned value. Values too small
// to represent become 0; too large raise Overflow.
double CDbl(StringView text);

// True exactly when CDbl(text) succeeds.
bool IsNumeric(StringView text);

// Decimal text of a number as the runtime prints it: at most 7 (float) or 15
// (double) significant digits, the last one rounded half away from zero on
// the exact binary value; no trailing zeros and no trailing separator; the
// user's decimal separator; "-" for negatives, never "-0".
// Fixed notation when the rounded value's decimal exponent e satisfies
// -5 < e < digits (so 0.0001 <= |x| < 1E+07 for float, < 1E+15 for double);
// otherwise scientific with a sign and at least two exponent digits:
// "1E-05", "1.5E+20", "1E+100".
// Infinities and NaN, which the program never stores, print as "1.#INF",
// "-1.#INF" and "1.#QNAN", which no conversion reads back as a number.
String CStr(float value);
String CStr(double value);
String CStr(int32_t value);
// Booleans print as "True"/"False" in the original runtime, not as numbers;
// refuse them here rather than print "1".
String CStr(bool value) = delete;

}  // namespace vb
