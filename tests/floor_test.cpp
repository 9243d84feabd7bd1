// The tool doing its job: what the user puts into the floor box, the button pressed, and what the
// box and the result label then show. Every case runs on the real Qt window (real key clicks,
// clipboard pastes and mouse clicks) and on the null backend.
#include <gtest/gtest.h>

#include "addresses.h"
#include "app/formation_table.h"
#include "app/program.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "tests/support/qt_driver.h"
#include "tests/support/test_window.h"
#include "ui/main_window.h"

using test_window::Driver;

namespace {

enum class Entry { Typed, Pasted, Cleared };
enum class Press { Nothing, Lookup, Previous, Next };

constexpr char Unchanged[] = "unchanged";  // a marker the program itself never writes

struct FloorCase {
    const char* name;
    Entry entry;
    const char* content;  // GBK
    Press press;
    const char* fieldAfter;
    const char* labelAfter;  // GBK, or Unchanged
};

void PrintTo(const FloorCase& c, std::ostream* out) { *out << c.name; }

// GBK formations the cases expect.
constexpr char Floor1[] = "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD";   // 魔炮弓步
constexpr char Floor3[] = "\xB9\xAD\xC5\xDA\x9A\x69\xC4\xA7";   // 弓炮歩魔
constexpr char Floor10[] = "\xB9\xAD\xB2\xBD\xC4\xA7\xC5\xDA";  // 弓步魔炮
constexpr char Floor17[] = "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD";  // 魔步炮弓
constexpr char Floor89[] = "\xC4\xA7\x9A\x69\xC5\xDA\xB9\xAD";  // 魔歩炮弓
constexpr char Floor90[] = "\xC5\xDA\xB2\xBD\xB9\xAD\xC4\xA7";  // 炮步弓魔
constexpr char FullWidth17[] = "\xA3\xB1\xA3\xB7";               // １７

const FloorCase Cases[] = {
    {"typed_0_becomes_1", Entry::Typed, "0", Press::Nothing, "1", Unchanged},
    {"typed_91_becomes_90", Entry::Typed, "91", Press::Nothing, "90", Unchanged},
    {"pasted_90_5_becomes_90", Entry::Pasted, "90.5", Press::Nothing, "90", Unchanged},
    {"pasted_just_above_90_stays_and_selects_90", Entry::Pasted, "90.00000001", Press::Lookup, "90.00000001", Floor90},
    {"pasted_full_width_17", Entry::Pasted, FullWidth17, Press::Lookup, FullWidth17, Floor17},
    {"pasted_leading_blanks", Entry::Pasted, "  17", Press::Lookup, "  17", Floor17},
    {"pasted_trailing_letters", Entry::Pasted, "17abc", Press::Lookup, "17abc", Floor17},
    {"pasted_exponent", Entry::Pasted, "1.7e1", Press::Lookup, "1.7e1", Floor17},
    {"pasted_d_exponent", Entry::Pasted, "1d1", Press::Lookup, "1d1", Floor10},
    {"typed_17_selects_17", Entry::Typed, "17", Press::Lookup, "17", Floor17},
    {"pasted_half_floor_selects_none", Entry::Pasted, "17.5", Press::Lookup, "17.5", Unchanged},
    {"pasted_letters_select_none", Entry::Pasted, "abc", Press::Lookup, "abc", Unchanged},
    {"typed_negative_selects_none", Entry::Typed, "-3", Press::Lookup, "-3", Unchanged},
    {"typed_minus_alone_selects_none", Entry::Typed, "-", Press::Lookup, "-", Unchanged},
    {"empty_field_selects_none", Entry::Cleared, "", Press::Lookup, "", Unchanged},
    {"empty_field_then_next", Entry::Cleared, "", Press::Next, "1", Floor1},
    {"empty_field_then_previous", Entry::Cleared, "", Press::Previous, "1", Floor1},
    {"previous_truncates_toward_zero", Entry::Pasted, "2.7", Press::Previous, "1", Floor1},
    {"next_truncates_toward_zero", Entry::Pasted, "2.7", Press::Next, "3", Floor3},
    {"next_from_minus_half_writes_0_which_becomes_1", Entry::Pasted, "-0.5", Press::Next, "1", Floor1},
    {"previous_stays_at_1", Entry::Typed, "1", Press::Previous, "1", Floor1},
    {"next_stays_at_90", Entry::Typed, "90", Press::Next, "90", Floor90},
    {"pasted_200_is_held_at_90_then_previous", Entry::Pasted, "200", Press::Previous, "89", Floor89},
    {"next_from_minus_5_has_no_lower_bound", Entry::Typed, "-5", Press::Next, "-4", Unchanged},
    {"next_far_below_range_saturates", Entry::Pasted, "-1e12", Press::Next, "-2147483648", Unchanged},
    {"previous_far_below_range_gives_1", Entry::Pasted, "-1e12", Press::Previous, "1", Floor1},
    {"pasted_huge_is_held_at_90", Entry::Pasted, "1e400", Press::Next, "90", Floor90},
};

class FloorEntry : public testing::TestWithParam<std::tuple<const Driver*, FloorCase>> {
protected:
    void SetUp() override {
        ResetPlatformForTesting();
        UsePlatformBackend(user().backend());
        StartPlatform();
        FormationTable = NewTextArray(0);
        RegisterExitCallback(ReleaseFormationTable);
        LoadWindow(MAIN_WINDOW);
        WriteControlText(透明标签2, Unchanged);
        liveBlocks = CurrentAllocatorCounts().liveBlocks;
    }
    void TearDown() override {
        RunExitStep();
        ResetPlatformForTesting();
    }
    const Driver& user() const { return *std::get<0>(GetParam()); }
    const FloorCase& Case() const { return std::get<1>(GetParam()); }
    std::int64_t liveBlocks = 0;
};

TEST_P(FloorEntry, ShowsTheExpectedFieldAndResult) {
    const FloorCase& c = Case();
    user().clears(编辑框1);
    if (c.entry == Entry::Typed) user().types(编辑框1, c.content);
    if (c.entry == Entry::Pasted) user().pastes(编辑框1, c.content);
    const char* button = c.press == Press::Lookup ? 按钮1 : c.press == Press::Previous ? 按钮2 : 按钮3;
    if (c.press != Press::Nothing) user().clicks(button);

    EXPECT_STREQ(ReadControlText(编辑框1).c_str(), c.fieldAfter);
    EXPECT_STREQ(ReadControlText(透明标签2).c_str(), c.labelAfter);
    // Every text a handler read was released.
    EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, liveBlocks);
}

std::string CaseName(const testing::TestParamInfo<FloorEntry::ParamType>& param) {
    return std::string(std::get<0>(param.param)->name) + "_" + std::get<1>(param.param).name;
}

INSTANTIATE_TEST_SUITE_P(Cases, FloorEntry,
                         testing::Combine(testing::Values(&test_window::NullDriver(), &test_window::QtDriver()),
                                          testing::ValuesIn(Cases)),
                         CaseName);

// The link buttons: each click hands exactly its own address to the desktop, and nothing else.
class LinkButtons : public FloorEntry {};

TEST_P(LinkButtons, EachClickOpensItsAddressOnceAndChangesNothing) {
    struct Link {
        const char* button;
        const char* path;
    };
    const Link links[] = {{按钮4, "/forum.php?gid=39"}, {按钮5, "/"}, {按钮6, "/forum-49-1.html"}, {按钮5, "/"}};
    const std::string field = ReadControlText(编辑框1).c_str();
    std::vector<std::string> expected = user().openedAddresses();
    for (const Link& link : links) {
        user().clicks(link.button);
        expected.push_back(std::string("http://" KESTRUNE_FORUM_HOST) + link.path);
        EXPECT_EQ(user().openedAddresses(), expected);
    }
    EXPECT_STREQ(ReadControlText(编辑框1).c_str(), field.c_str());
    EXPECT_STREQ(ReadControlText(透明标签2).c_str(), Unchanged);
    EXPECT_EQ(FormationTable->count, 90);
    EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, liveBlocks);
}

INSTANTIATE_TEST_SUITE_P(Backends, LinkButtons,
                         testing::Combine(testing::Values(&test_window::NullDriver(), &test_window::QtDriver()),
                                          testing::Values(Cases[0])),
                         [](const testing::TestParamInfo<LinkButtons::ParamType>& param) {
                             return std::string(std::get<0>(param.param)->name);
                         });

}  // namespace
