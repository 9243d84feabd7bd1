// The compiled formation of every floor, checked against the published table written out here in UTF-8.
#include "app/formations.h"
#include "platform/qt/gbk.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// The published table, floor by floor, typed row by row; 歩 (U+6B69) is the variant infantry letter.
// clang-format off
constexpr std::array<const char*, 90> ExpectedFormations = {
    "魔炮弓步", "炮魔弓步", "弓炮歩魔", "歩弓魔炮", "魔炮弓步", "魔弓炮步", "魔歩弓炮", "炮步弓魔", "炮弓步魔", "弓步魔炮",  // 1-10
    "魔步炮弓", "炮魔弓步", "魔弓步炮", "炮弓步魔", "步魔弓炮", "步弓魔炮", "魔步炮弓", "弓步炮魔", "魔弓炮步", "魔弓步炮",  // 11-20
    "魔炮弓步", "魔步炮弓", "炮魔弓步", "魔弓步炮", "弓步魔炮", "炮弓步魔", "弓魔炮步", "炮弓魔步", "步炮魔弓", "步魔弓炮",  // 21-30
    "炮魔弓步", "炮魔弓步", "炮弓魔步", "弓魔炮步", "弓炮魔步", "弓步炮魔", "弓炮魔步", "弓炮魔步", "炮弓魔步", "魔弓步炮",  // 31-40
    "步魔弓炮", "步弓魔炮", "魔炮步弓", "步炮魔弓", "魔炮弓步", "弓炮魔歩", "魔弓炮步", "弓步炮魔", "魔步炮弓", "炮弓魔歩",  // 41-50
    "魔歩弓炮", "步魔弓炮", "魔歩弓炮", "炮步弓魔", "炮步弓魔", "魔歩弓炮", "炮步弓魔", "炮步弓魔", "弓炮步魔", "步弓炮魔",  // 51-60
    "魔弓步炮", "炮弓步魔", "弓步炮魔", "魔歩弓炮", "魔步弓炮", "弓步魔炮", "魔歩弓炮", "魔歩弓炮", "魔步弓炮", "炮步弓魔",  // 61-70
    "魔步弓炮", "炮弓魔歩", "步魔弓炮", "弓炮魔歩", "弓魔炮步", "弓魔炮步", "魔炮步弓", "弓步炮魔", "弓步炮魔", "步炮魔弓",  // 71-80
    "魔炮步弓", "炮步弓魔", "弓炮魔歩", "魔步炮弓", "魔歩弓炮", "步炮弓魔", "弓魔炮步", "步魔炮弓", "魔歩炮弓", "炮步弓魔",  // 81-90
};
// clang-format on

// The floors whose infantry is written with the variant letter 歩.
const std::set<int> VariantFloors = {3, 4, 7, 46, 50, 51, 53, 56, 64, 67, 68, 72, 74, 83, 85, 89};

constexpr char16_t PlainInfantry = u'\u6B65';         // 步
constexpr char16_t InfantryVariant = u'\u6B69';       // 歩

enum class Troop { Mage, Cannon, Bow, Infantry };

// The five troop letters as GBK byte pairs, from the table of letters rather than from any decoder.
struct TroopLetter {
    unsigned char lead;
    unsigned char trail;
    Troop troop;
};
constexpr TroopLetter TroopLetters[] = {
    {0xC4, 0xA7, Troop::Mage},      // 魔
    {0xC5, 0xDA, Troop::Cannon},    // 炮
    {0xB9, 0xAD, Troop::Bow},       // 弓
    {0xB2, 0xBD, Troop::Infantry},  // 步
    {0x9A, 0x69, Troop::Infantry},  // 歩
};

std::string Compiled(int floor)
{
    return FloorFormations.at(static_cast<std::size_t>(floor - 1));
}

QString Expected(int floor)
{
    return QString::fromUtf8(ExpectedFormations.at(static_cast<std::size_t>(floor - 1)));
}

// Bytes as C escapes, so that a failing text can be compared with the source by eye.
std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (const char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += hex;
    }
    return out;
}

bool HoldsVariantBytes(const std::string& gbk)
{
    for (std::size_t i = 0; i + 1 < gbk.size(); i += 2)
        if (gbk[i] == '\x9A' && gbk[i + 1] == '\x69') return true;
    return false;
}

// ---- Each floor on its own ----

class Floor : public testing::TestWithParam<int> {};

TEST_P(Floor, DecodesToThePublishedText)
{
    EXPECT_EQ(FromGbk(FloorFormations.at(static_cast<std::size_t>(GetParam() - 1))).toStdString(),
              Expected(GetParam()).toStdString());
}

TEST_P(Floor, IsFourTroopLettersOneOfEachType)
{
    const char* entry = FloorFormations.at(static_cast<std::size_t>(GetParam() - 1));
    ASSERT_NE(entry, nullptr);
    const std::string bytes(entry);
    ASSERT_EQ(bytes.size(), 8u) << Escaped(bytes);  // 8 bytes, then the terminating zero
    std::set<Troop> troops;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto letter = std::find_if(std::begin(TroopLetters), std::end(TroopLetters), [&](const TroopLetter& l) {
            return static_cast<unsigned char>(bytes[i]) == l.lead && static_cast<unsigned char>(bytes[i + 1]) == l.trail;
        });
        ASSERT_NE(letter, std::end(TroopLetters)) << "not a troop letter at byte " << i << " of " << Escaped(bytes);
        troops.insert(letter->troop);
    }
    EXPECT_EQ(troops.size(), 4u) << Escaped(bytes);
}

TEST_P(Floor, WritesInfantryWithTheLetterOfTheTable)
{
    const bool variant = VariantFloors.count(GetParam()) != 0;
    const std::string bytes = Compiled(GetParam());
    EXPECT_EQ(HoldsVariantBytes(bytes), variant) << Escaped(bytes);
    const QString decoded = FromGbk(bytes.c_str());
    EXPECT_EQ(decoded.contains(QChar(InfantryVariant)), variant);
    EXPECT_EQ(decoded.contains(QChar(PlainInfantry)), !variant);
}

TEST_P(Floor, EncodesBackToTheSameBytes)
{
    const std::string bytes = Compiled(GetParam());
    EXPECT_EQ(Escaped(ToGbk(FromGbk(bytes.c_str()))), Escaped(bytes));
}

INSTANTIATE_TEST_SUITE_P(All, Floor, testing::Range(1, 91), [](const testing::TestParamInfo<int>& floor) {
    char name[8];
    std::snprintf(name, sizeof name, "Floor%02d", floor.param);
    return std::string(name);
});

// ---- Floors named in the table's notes, with their GBK bytes spelled out ----

struct KnownFloor {
    int floor;
    const char* utf8;
    const char* gbk;
};

void PrintTo(const KnownFloor& row, std::ostream* os)
{
    *os << "floor " << row.floor;
}

class KnownFloors : public testing::TestWithParam<KnownFloor> {};

TEST_P(KnownFloors, GiveTheirFormation)
{
    const KnownFloor& row = GetParam();
    EXPECT_EQ(Escaped(Compiled(row.floor)), Escaped(row.gbk));
    EXPECT_EQ(FromGbk(Compiled(row.floor).c_str()).toStdString(), row.utf8);
}

// clang-format off
const KnownFloor KnownFloorRows[] = {
    {1,  "魔炮弓步", "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD"},  // the text the window opens with
    {5,  "魔炮弓步", "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD"},
    {21, "魔炮弓步", "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD"},
    {45, "魔炮弓步", "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD"},
    {90, "炮步弓魔", "\xC5\xDA\xB2\xBD\xB9\xAD\xC4\xA7"},  // the last floor
    {14, "炮弓步魔", "\xC5\xDA\xB9\xAD\xB2\xBD\xC4\xA7"},  // row 11-20, column +3
    {13, "魔弓步炮", "\xC4\xA7\xB9\xAD\xB2\xBD\xC5\xDA"},  // its neighbour, one column off
    {3,  "弓炮歩魔", "\xB9\xAD\xC5\xDA\x9A\x69\xC4\xA7"},  // the variant letter
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Notes, KnownFloors, testing::ValuesIn(KnownFloorRows),
                         [](const testing::TestParamInfo<KnownFloor>& row) {
                             return "Floor" + std::to_string(row.param.floor);
                         });

// ---- The table as a whole ----

// The floors whose compiled text equals the given GBK bytes.
std::set<int> FloorsWith(const char* gbk)
{
    std::set<int> floors;
    for (int floor = 1; floor <= 90; ++floor)
        if (Compiled(floor) == gbk) floors.insert(floor);
    return floors;
}

TEST(FormationTable, HoldsTwentySevenDistinctTexts)
{
    const std::set<std::string> compiled(FloorFormations.begin(), FloorFormations.end());
    EXPECT_EQ(compiled.size(), 27u);
    // The typed table must agree with the count as well, or a typing slip hides behind it.
    const std::set<std::string> typed(ExpectedFormations.begin(), ExpectedFormations.end());
    EXPECT_EQ(typed.size(), 27u);
}

TEST(FormationTable, TypedTableUsesTheVariantExactlyOnTheListedFloors)
{
    std::set<int> floors;
    for (int floor = 1; floor <= 90; ++floor)
        if (Expected(floor).contains(QChar(InfantryVariant))) floors.insert(floor);
    EXPECT_EQ(floors, VariantFloors);
}

TEST(FormationTable, LookalikeTextsStayApart)
{
    const char* withVariant = "\xC4\xA7\x9A\x69\xB9\xAD\xC5\xDA";  // 魔歩弓炮
    const char* withPlain = "\xC4\xA7\xB2\xBD\xB9\xAD\xC5\xDA";    // 魔步弓炮
    EXPECT_EQ(FloorsWith(withVariant), (std::set<int>{7, 51, 53, 56, 64, 67, 68, 85}));
    EXPECT_EQ(FloorsWith(withPlain), (std::set<int>{65, 69, 71}));
    EXPECT_NE(FromGbk(Compiled(7).c_str()), FromGbk(Compiled(65).c_str()));
    EXPECT_EQ(FromGbk(Compiled(7).c_str()).toStdString(), "魔歩弓炮");
    EXPECT_EQ(FromGbk(Compiled(65).c_str()).toStdString(), "魔步弓炮");
}

}  // namespace
