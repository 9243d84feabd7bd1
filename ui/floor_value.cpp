// The floor value: folding full-width forms and reading the number at the front of the text.
#include "ui/floor_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <system_error>

namespace {

// A double-byte symbol outside the full-width row A3 that reads as one ASCII byte.
struct SymbolFold {
    unsigned char lead;
    unsigned char trail;
    char ascii;
};

// Columns: lead byte, trail byte, the ASCII byte it reads as.
constexpr SymbolFold SYMBOL_FOLDS[] = {
    {0xA1, 0xA1, ' '},  // ideographic space
    {0xA1, 0xAB, '~'},
    {0xA1, 0xEE, '*'},
    {0xA1, 0xEF, '*'},
};

// Exponents are clamped here: beyond it every number a text can hold is out of range, and the
// clamp keeps the exponent arithmetic below far from overflow.
constexpr std::int64_t EXPONENT_LIMIT = 1'000'000'000'000'000;

// The ASCII byte a double-byte character reads as, if it is one of the folded forms.
std::optional<char> FoldPair(unsigned char lead, unsigned char trail)
{
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<char>(trail - 0x80);
    for (const SymbolFold& fold : SYMBOL_FOLDS)
        if (fold.lead == lead && fold.trail == trail)
            return fold.ascii;
    return std::nullopt;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// How many decimal digits the text starts with.
std::size_t DigitRun(std::string_view text)
{
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsDigit) - text.begin());
}

// m such that a mantissa (digits with an optional point, not all zero, `whole` digits before the
// point) lies in [10^(m-1), 10^m): tells overflow from underflow when a value is out of range.
std::int64_t DecimalMagnitude(std::string_view mantissa, std::size_t whole)
{
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first < whole)
        return static_cast<std::int64_t>(whole - first);
    return static_cast<std::int64_t>(whole) + 1 - static_cast<std::int64_t>(first);
}

}  // namespace

// Walks the text one character at a time so that a trail byte is never read as a lead byte.
std::string FoldFullWidthForms(const char* gbk)
{
    std::string folded;
    if (gbk == nullptr)
        return folded;
    for (const char* p = gbk; *p != '\0';) {
        const auto lead = static_cast<unsigned char>(p[0]);
        if (lead < 0x81 || lead == 0xFF || p[1] == '\0') {
            folded += *p++;
            continue;
        }
        if (const std::optional<char> ascii = FoldPair(lead, static_cast<unsigned char>(p[1])))
            folded += *ascii;
        else
            folded.append(p, 2);
        p += 2;
    }
    return folded;
}

// Scans the accepted prefix itself (the grammar is narrower than strtod's: no hex, inf or nan,
// and d/D exponents) and leaves the correctly rounded conversion to std::from_chars, which does
// not depend on the process locale.
double ParseFloorText(const char* gbk)
{
    const std::string folded = FoldFullWidthForms(gbk);
    std::string_view rest = folded;
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t\n\v\f\r"), rest.size()));

    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
        rest.remove_prefix(1);

    const std::size_t whole = DigitRun(rest);
    std::size_t fraction = 0;
    std::size_t mantissaLength = whole;
    if (whole < rest.size() && rest[whole] == '.') {
        fraction = DigitRun(rest.substr(whole + 1));
        mantissaLength = whole + 1 + fraction;
    }
    if (whole + fraction == 0)
        return 0.0;
    const std::string_view mantissa = rest.substr(0, mantissaLength);
    rest.remove_prefix(mantissaLength);

    // An exponent marker without digits after it is not part of the number: it adds 0.
    std::int64_t exponent = 0;
    if (!rest.empty() && std::string_view("eEdD").find(rest.front()) != std::string_view::npos) {
        rest.remove_prefix(1);
        const bool negativeExponent = !rest.empty() && rest.front() == '-';
        if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
            rest.remove_prefix(1);
        for (const char digit : rest.substr(0, DigitRun(rest)))
            exponent = std::min(exponent * 10 + (digit - '0'), EXPONENT_LIMIT);
        if (negativeExponent)
            exponent = -exponent;
    }

    std::string ascii = negative ? "-" : "";
    ascii += mantissa;
    ascii += 'e';
    ascii += std::to_string(exponent);
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    // from_chars leaves the value alone when it is out of range; strtod gives ±HUGE_VAL or ±0.
    if (result.ec == std::errc::result_out_of_range) {
        const bool overflow = DecimalMagnitude(mantissa, whole) + exponent > 0;
        value = std::copysign(overflow ? HUGE_VAL : 0.0, negative ? -1.0 : 1.0);
    }
    return value;
}
