// The floor value: reading a floor number out of the text of the floor field.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

// Floors are the whole numbers 1 to FLOOR_COUNT.
inline constexpr int FLOOR_COUNT = 90;

// A value selects floor i when it lies within FLOOR_EPSILON of i.
inline constexpr double FLOOR_EPSILON = std::bit_cast<double>(std::uint64_t{0x3E7AD7F29ABCAF48});
static_assert(FLOOR_EPSILON == 1e-7, "FLOOR_EPSILON must be the double nearest to 1e-7");

// The GBK text with full-width digits, signs and letters (A3 A1..A3 FE) made ASCII, the
// ideographic space made ' ', A1 AB made '~' and A1 EE/A1 EF made '*'; a double-byte character
// is never split, and every other character is kept as it is. nullptr counts as "".
std::string FoldFullWidthForms(const char* gbk);

// The number at the front of the GBK text, read the way atof reads it in the "C" locale after
// folding full-width forms; d and D also introduce an exponent. 0.0 when there is no number.
double ParseFloorText(const char* gbk);
