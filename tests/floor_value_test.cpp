// Reading the floor value: folding full-width forms and converting the number in front.
#include "ui/floor_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

// Bytes as C escapes, so that a failing GBK text can be pasted back into a test.
std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(byte));
            out += hex;
        }
    }
    return out.size() > 120 ? out.substr(0, 60) + "...(" + std::to_string(bytes.size()) + " bytes)" : out;
}

// Bit-for-bit equality, so that -0.0 differs from 0.0 and every rounding step counts.
testing::AssertionResult SameDouble(double actual, double expected)
{
    if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
        return testing::AssertionSuccess();
    char message[128];
    std::snprintf(message, sizeof message, "got %a (%.17g), expected %a (%.17g)", actual, actual, expected, expected);
    return testing::AssertionFailure() << message;
}

// Each table row names its own test.
struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

// ---- Folding full-width forms ----

struct FoldRow {
    const char* name;
    const char* gbk;  // nullptr: no text at all
    std::string folded;
};

void PrintTo(const FoldRow& row, std::ostream* os)
{
    *os << row.name;
}

class FoldFullWidth : public testing::TestWithParam<FoldRow> {};

TEST_P(FoldFullWidth, GivesTheExpectedBytes)
{
    const FoldRow& row = GetParam();
    EXPECT_EQ(Escaped(FoldFullWidthForms(row.gbk)), Escaped(row.folded));
}

INSTANTIATE_TEST_SUITE_P(Edges, FoldFullWidth, testing::Values(
    FoldRow{"NoText", nullptr, ""},
    FoldRow{"EmptyText", "", ""},
    FoldRow{"AsciiUntouched", "a1 +.eE\t~*", "a1 +.eE\t~*"},
    FoldRow{"FullWidthDigits",
            "\xA3\xB0\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7\xA3\xB8\xA3\xB9",
            "0123456789"},
    FoldRow{"FullWidthSignsPointAndExponents", "\xA3\xAB\xA3\xAD\xA3\xAE\xA3\xE5\xA3\xC5\xA3\xE4\xA3\xC4", "+-.eEdD"},
    FoldRow{"FullWidthRowEnds", "\xA3\xA1\xA3\xFE", "!~"},
    FoldRow{"FullWidthRowOutsideRangeKept", "\xA3\xA0\xA3\xFF\xA3\x40", "\xA3\xA0\xA3\xFF\xA3\x40"},
    FoldRow{"IdeographicSpace", "\xA1\xA1" "1", " 1"},
    FoldRow{"WaveDashAndStars", "\xA1\xAB\xA1\xEE\xA1\xEF", "~**"},
    FoldRow{"SymbolNeighboursKept", "\xA1\xA2\xA1\xAC\xA1\xED\xA1\xF0", "\xA1\xA2\xA1\xAC\xA1\xED\xA1\xF0"},
    // 魔炮 (C4 A7 C5 DA): ordinary characters pass through.
    FoldRow{"OtherCharactersKept", "\xC4\xA7\xC5\xDA", "\xC4\xA7\xC5\xDA"},
    // B0 A3 is one character; the A3 B1 that straddles two characters is no full-width 1.
    FoldRow{"FoldableBytesAcrossTwoCharacters", "\xB0\xA3\xB1\xB7", "\xB0\xA3\xB1\xB7"},
    FoldRow{"IdeographicSpaceBytesAcrossTwoCharacters", "\xB0\xA1\xA1\xB7", "\xB0\xA1\xA1\xB7"},
    // A lead byte takes any non-zero trail, ASCII included.
    FoldRow{"AsciiTrailStaysPaired", "\x81" "5\xA3\xB1", "\x81" "51"},
    FoldRow{"AsciiTrailThenFoldableBytes", "\x81\xA3\xB1", "\x81\xA3\xB1"},
    FoldRow{"LoneLeadAtEnd", "1\xA3", "1\xA3"},
    FoldRow{"SingleByteHighValuesAreNotLeads", "\x80\xA3\xB1\xFF\xA3\xB2", "\x80" "1\xFF" "2"}),
    RowName{});

// ---- Converting the folded text ----

struct ParseRow {
    std::string name;
    std::optional<std::string> gbk;  // nullopt: nullptr
    double expected;
};

void PrintTo(const ParseRow& row, std::ostream* os)
{
    *os << row.name << ": \"" << (row.gbk ? Escaped(*row.gbk) : "(null)") << '"';
}

class ParseFloor : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseFloor, GivesTheCorrectlyRoundedValue)
{
    const ParseRow& row = GetParam();
    EXPECT_TRUE(SameDouble(ParseFloorText(row.gbk ? row.gbk->c_str() : nullptr), row.expected));
}

// 1 + 2^-53, exactly halfway between 1 and the next double.
const std::string HALFWAY_ABOVE_ONE = "1.00000000000000011102230246251565404236316680908203125";

std::string Repeat(char c, std::size_t count)
{
    return std::string(count, c);
}

// Texts of 400 and of 100,000 digits, and exponents longer than any integer type holds.
std::vector<ParseRow> LongRows()
{
    const std::size_t pad400 = 400 - (HALFWAY_ABOVE_ONE.size() - 1) - 1;
    return {
        {"ThousandLeadingZeros", Repeat('0', 1000) + "17", 17.0},
        {"LeadingFractionZerosScaledBack", "0." + Repeat('0', 399) + "17e401", 17.0},
        {"FourHundredDigitsExactlyHalfwayRoundsToEven", HALFWAY_ABOVE_ONE + Repeat('0', pad400 + 1), 1.0},
        {"FourHundredDigitsJustAboveHalfway", HALFWAY_ABOVE_ONE + Repeat('0', pad400) + "1", 0x1.0000000000001p0},
        {"FourHundredDigitsJustBelowHalfway",
         "1.00000000000000011102230246251565404236316680908203124" + Repeat('9', pad400 + 1), 1.0},
        {"HundredThousandDigitsAboveHalfway", HALFWAY_ABOVE_ONE + Repeat('0', 100000) + "1", 0x1.0000000000001p0},
        {"HundredThousandDigitsOverflow", "1" + Repeat('0', 99999), INF},
        {"HundredThousandDigitsScaledDown", "1" + Repeat('0', 99999) + "e-99999", 1.0},
        {"HundredThousandFractionZerosScaledUp", "0." + Repeat('0', 99999) + "1e100000", 1.0},
        // The sign of the written exponent alone does not tell overflow from underflow.
        {"NegativeExponentStillOverflows", "1" + Repeat('0', 400) + "e-5", INF},
        {"PositiveExponentStillUnderflows", "0." + Repeat('0', 400) + "1e5", 0.0},
        {"NegativeOverflowFromLongDigits", "-" + Repeat('9', 400), -INF},
        {"ExponentWithManyLeadingZeros", "1e" + Repeat('0', 100000) + "1", 10.0},
        {"ExponentLongerThanAnyInteger", "1e" + Repeat('9', 40), INF},
        {"NegativeExponentLongerThanAnyInteger", "1e-" + Repeat('9', 40), 0.0},
        {"HugeExponentAfterLongFractionZeros", "0." + Repeat('0', 100000) + "1e999999999999999999", INF},
    };
}

INSTANTIATE_TEST_SUITE_P(Edges, ParseFloor, testing::Values(
    ParseRow{"NoText", std::nullopt, 0.0},
    ParseRow{"EmptyText", "", 0.0},
    ParseRow{"Plain17", "17", 17.0},
    ParseRow{"FullWidth17", "\xA3\xB1\xA3\xB7", 17.0},
    ParseRow{"HalfAndFullWidthMixed", "1\xA3\xB7", 17.0},
    ParseRow{"FullWidthSignPointAndD", "\xA3\xAD\xA3\xB1\xA3\xAE\xA3\xB5\xA3\xE4\xA3\xB1", -15.0},
    ParseRow{"LeadingSpaces", "  17", 17.0},
    ParseRow{"LeadingTab", "\t17", 17.0},
    ParseRow{"EveryCBlank", " \t\n\v\f\r17", 17.0},
    ParseRow{"IdeographicSpace", "\xA1\xA1" "17", 17.0},
    ParseRow{"IdeographicSpaceThenFullWidth", "\xA1\xA1\xA1\xA1\xA3\xB1\xA3\xB7", 17.0},
    ParseRow{"FullWidthRowSpaceIsNoBlank", "\xA3\xA0" "17", 0.0},
    ParseRow{"WaveDashIsNoBlank", "\xA1\xAB" "17", 0.0},
    ParseRow{"HighByteIsNoBlank", "\xA0" "17", 0.0},
    ParseRow{"TrailingLetters", "17abc", 17.0},
    ParseRow{"TrailingNumber", "1 2", 1.0},
    ParseRow{"SecondPoint", "1.2.3", 1.2},
    ParseRow{"Exponent", "1.7e1", 17.0},
    ParseRow{"UpperExponent", "1.7E1", 17.0},
    ParseRow{"LowerD", "1d1", 10.0},
    ParseRow{"UpperD", "1D1", 10.0},
    ParseRow{"ExponentPlus", "1e+1", 10.0},
    ParseRow{"ExponentMinus", ".5e-1", 0.05},
    ParseRow{"ExponentAfterBarePoint", "1.e5", 1e5},
    ParseRow{"ExponentWithoutDigits", "1e", 1.0},
    ParseRow{"ExponentSignWithoutDigits", "1e+", 1.0},
    ParseRow{"ExponentMinusThenLetter", "1d-x", 1.0},
    ParseRow{"ExponentTwoSigns", "1e+-5", 1.0},
    ParseRow{"SecondExponent", "1e5e5", 1e5},
    ParseRow{"ExponentWithoutMantissa", "e5", 0.0},
    ParseRow{"PointThenExponent", ".e5", 0.0},
    ParseRow{"LoneMinus", "-", 0.0},
    ParseRow{"LonePoint", ".", 0.0},
    ParseRow{"PlusPoint", "+.", 0.0},
    ParseRow{"MinusExponent", "-e5", 0.0},
    ParseRow{"TwoSigns", "+-1", 0.0},
    ParseRow{"BlankAfterSign", "- 1", 0.0},
    ParseRow{"Letters", "abc", 0.0},
    ParseRow{"PointFirst", ".5", 0.5},
    ParseRow{"PointLast", "5.", 5.0},
    ParseRow{"PlusSign", "+17", 17.0},
    ParseRow{"Negative", "-3", -3.0},
    ParseRow{"NegativeZero", "-0", -0.0},
    ParseRow{"NegativeZeroWithExponent", "  -0.000e7", -0.0},
    ParseRow{"ZeroWithHugeExponent", "0e999999999999999999", 0.0},
    ParseRow{"NotQuite90", "90.00000001", 90.00000001},
    ParseRow{"EpsilonAbove90", "90.0000001", 90.0000001},
    ParseRow{"EpsilonAbove1", "1.0000001", 1.0000001},
    ParseRow{"EpsilonBelow1", "0.9999999", 0.9999999},
    ParseRow{"JustOutsideEpsilonAbove1", "1.00000010000000001", 1.00000010000000001},
    ParseRow{"Overflow", "1e400", INF},
    ParseRow{"NegativeOverflow", "-1e400", -INF},
    ParseRow{"Underflow", "1e-400", 0.0},
    ParseRow{"NegativeUnderflow", "-1e-400", -0.0},
    ParseRow{"LargestDouble", "1.7976931348623158e308", 0x1.fffffffffffffp1023},
    ParseRow{"JustPastLargestRoundsToInfinity", "1.7976931348623159e308", INF},
    ParseRow{"SmallestSubnormal", "4.9e-324", 0x0.0000000000001p-1022},
    ParseRow{"JustAboveHalfSmallestSubnormal", "2.4703282292062328e-324", 0x0.0000000000001p-1022},
    ParseRow{"JustBelowHalfSmallestSubnormal", "2.4703282292062327e-324", 0.0},
    ParseRow{"LargestSubnormal", "2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
    ParseRow{"HexPrefix", "0x10", 0.0},
    ParseRow{"HexFloat", "0X1p3", 0.0},
    ParseRow{"Infinity", "inf", 0.0},
    ParseRow{"NegativeInfinity", "-INFINITY", 0.0},
    ParseRow{"NotANumber", "nan", 0.0},
    ParseRow{"NumberThenInfinity", "1inf", 1.0},
    ParseRow{"AsciiTrailAfterLead", "5\x81" "5", 5.0},
    ParseRow{"FoldableBytesAcrossTwoCharacters", "\xB0\xA3\xB1", 0.0},
    ParseRow{"LoneLeadAtEnd", "17\xA3", 17.0},
    ParseRow{"OnlyALoneLead", "\xA3", 0.0}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(LongTexts, ParseFloor, testing::ValuesIn(LongRows()),
    RowName{});

// A locale whose decimal point is a comma: an installed one, or one compiled for this test.
const char* UseDecimalCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"})
        if (const char* found = std::setlocale(LC_NUMERIC, name))
            return found;
    const std::string directory = testing::TempDir() + "kestrune-locales";
    const std::string compile = "localedef -i de_DE -f UTF-8 -c '" + directory + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(("mkdir -p '" + directory + "' && " + compile).c_str()) != 0)
        return nullptr;
    setenv("LOCPATH", directory.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
}

// The decimal point is '.' whatever the process locale says.
TEST(ParseFloorLocale, IgnoresTheProcessDecimalPoint)
{
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (UseDecimalCommaLocale() == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma could be installed or compiled";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    const double value = ParseFloorText("17.5");
    const double comma = ParseFloorText("17,5");
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_TRUE(SameDouble(value, 17.5));
    EXPECT_TRUE(SameDouble(comma, 17.0));
}

// ---- Random texts against an independent reading ----

// The same rules read another way: a table over all 65,536 two-byte codes says what each pair
// reads as, d/D are made e, the text is cut before x, i and n so that strtod can take no hex,
// inf or nan, and strtod reads it in the "C" locale (the test process never sets another).
class ReferenceReader {
public:
    ReferenceReader() : pairs_(0x10000, NOT_FOLDED)
    {
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            pairs_[Code(0xA3, trail)] = static_cast<char>(trail - 0x80);
        pairs_[Code(0xA1, 0xA1)] = ' ';
        pairs_[Code(0xA1, 0xAB)] = '~';
        pairs_[Code(0xA1, 0xEE)] = '*';
        pairs_[Code(0xA1, 0xEF)] = '*';
    }

    double operator()(const std::string& gbk) const
    {
        std::string text;
        const auto* bytes = reinterpret_cast<const unsigned char*>(gbk.c_str());
        for (std::size_t i = 0; i < gbk.size(); ++i) {
            if (bytes[i] < 0x81 || bytes[i] > 0xFE || i + 1 == gbk.size()) {
                text += gbk[i];
            } else {
                const char folded = pairs_[Code(bytes[i], bytes[i + 1])];
                text += folded != NOT_FOLDED ? std::string(1, folded) : gbk.substr(i, 2);
                ++i;
            }
        }
        std::replace_if(text.begin(), text.end(), [](char c) { return c == 'd' || c == 'D'; }, 'e');
        text.resize(std::min(text.find_first_of("xXiInN"), text.size()));
        return std::strtod(text.c_str(), nullptr);
    }

private:
    static constexpr char NOT_FOLDED = '\0';

    static std::size_t Code(int lead, int trail) { return static_cast<std::size_t>(lead * 0x100 + trail); }

    std::vector<char> pairs_;
};

// Random texts: half of them loose soups of number-like pieces and noise, half of them
// well-formed numbers (many digits, exponents near the ends of the range) dressed in blanks,
// full-width forms and trailing noise.
class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

    std::string Next() { return Pick(2) == 0 ? Soup() : Number(); }

private:
    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(rng_); }
    char Byte(int low, int high) { return static_cast<char>(std::uniform_int_distribution<int>(low, high)(rng_)); }

    // One ASCII character, written full-width now and then.
    void Put(std::string& text, char c)
    {
        if (Pick(4) != 0)
            text += c;
        else if (c == ' ')
            text += "\xA1\xA1";
        else
            text += {'\xA3', static_cast<char>(static_cast<unsigned char>(c) + 0x80)};
    }

    void Digits(std::string& text, std::size_t most)
    {
        for (std::size_t n = Pick(most + 1); n > 0; --n)
            Put(text, Byte('0', '9'));
    }

    void Noise(std::string& text)
    {
        switch (Pick(8)) {
        case 0: text += Byte(1, 255); break;
        case 1: text += {'\xA3', Byte(0xA1, 0xFE)}; break;
        case 2: text += {Byte(0x81, 0xFE), Byte(0x40, 0xFE)}; break;
        case 3: text += "\xA1\xA1"; break;
        case 4: text += "\t"; break;
        case 5: text += " "; break;
        case 6: text += {'\xA1', "\xAB\xEE\xEF"[Pick(3)]}; break;
        default: break;
        }
    }

    std::string Soup()
    {
        static const std::string pieces = "0123456789+-.eEdD";
        std::string text;
        for (std::size_t n = Pick(20); n > 0; --n) {
            if (Pick(3) == 0)
                Noise(text);
            else
                Put(text, pieces[Pick(Pick(2) == 0 ? 10 : pieces.size())]);
        }
        return text;
    }

    std::string Number()
    {
        std::string text;
        for (std::size_t n = Pick(3); n > 0; --n)
            Put(text, " \t"[Pick(2)]);
        if (Pick(2) == 0)
            Put(text, "+-"[Pick(2)]);
        Digits(text, Pick(4) == 0 ? 40 : 6);
        if (Pick(2) == 0) {
            Put(text, '.');
            Digits(text, Pick(4) == 0 ? 40 : 6);
        }
        if (Pick(2) == 0) {
            Put(text, "eEdD"[Pick(4)]);
            if (Pick(2) == 0)
                Put(text, "+-"[Pick(2)]);
            if (Pick(3) == 0)
                Digits(text, 25);
            else
                for (const char c : std::to_string(Pick(340)))
                    Put(text, c);
        }
        for (std::size_t n = Pick(3); n > 0; --n)
            Noise(text);
        return text;
    }

    std::mt19937_64 rng_;
};

TEST(ParseFloorRandom, AgreesWithStrtodOnRandomTexts)
{
    constexpr std::uint64_t seed = 0x4B65737472756E65;
    constexpr std::size_t wanted = 1'000'000;
    constexpr auto budget = std::chrono::seconds(10);
    const ReferenceReader reference;
    TextMaker maker(seed);
    const auto start = std::chrono::steady_clock::now();
    std::size_t ran = 0;
    int failures = 0;
    for (; ran < wanted && failures < 20; ++ran) {
        if (ran % 4096 == 0 && std::chrono::steady_clock::now() - start > budget)
            break;
        const std::string text = maker.Next();
        const double expected = reference(text);
        ASSERT_FALSE(std::isnan(expected)) << Escaped(text);
        const testing::AssertionResult same = SameDouble(ParseFloorText(text.c_str()), expected);
        if (!same) {
            ADD_FAILURE() << "\"" << Escaped(text) << "\": " << same.message();
            ++failures;
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << "[  random  ] " << ran << " texts in " << took.count() << " s, seed 0x" << std::hex << seed
              << std::dec << '\n';
}

}  // namespace
