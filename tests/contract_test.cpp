// Behaviours every backend must share: event order, nesting, once-per-write, events held back,
// owned texts and the exit step. The same suite runs on the null and the Qt backend.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/testing.h"
#include "tests/support/qt_driver.h"
#include "tests/support/test_window.h"

using namespace test_window;
using Lines = std::vector<std::string>;

class PlatformContract : public testing::TestWithParam<const Driver*> {
protected:
    void SetUp() override {
        ResetPlatformForTesting();
        UsePlatformBackend(user().backend());
        UseWindowDescriptionsForTesting(Descriptions());
        Log().clear();
        SetOnChanged(nullptr);
        SetOnCreated(nullptr);
        StartPlatform();
    }
    void TearDown() override {
        RunExitStep();
        ResetPlatformForTesting();
        UseWindowDescriptionsForTesting({});
        SetOnChanged(nullptr);
        SetOnCreated(nullptr);
    }
    const Driver& user() const { return *GetParam(); }
    std::string EditText() const { return ReadControlText(Edit).c_str(); }
};

TEST_P(PlatformContract, CreatedRunsOnceInsideLoadWindowBeforeTheWindowIsShown) {
    bool shownWhenCreated = true;
    SetOnCreated([&] { shownWhenCreated = user().windowShown(); });
    LoadWindow(Window);
    // The edit box's initial text raised nothing: creation holds events back.
    EXPECT_EQ(Log(), Lines{"created"});
    EXPECT_FALSE(shownWhenCreated);
    EXPECT_TRUE(user().windowShown());
}

TEST_P(PlatformContract, EveryProgramWriteRaisesTheEventOnceEvenWhenTheTextIsUnchanged) {
    LoadWindow(Window);
    WriteControlText(Edit, "5");
    WriteControlText(Edit, "5");
    EXPECT_EQ(Log(), (Lines{"created", "changed:5", "end", "changed:5", "end"}));
}

TEST_P(PlatformContract, AWriteFromInsideTheHandlerReentersItBeforeTheWriteReturns) {
    LoadWindow(Window);
    SetOnChanged([] {
        if (ReadControlText(Edit).c_str() == std::string("99")) WriteControlText(Edit, "1");
    });
    WriteControlText(Edit, "99");
    EXPECT_EQ(Log(), (Lines{"created", "changed:99", "changed:1", "end", "end"}));
    EXPECT_EQ(EditText(), "1");
}

TEST_P(PlatformContract, WritingALabelOrAButtonRaisesNothing) {
    LoadWindow(Window);
    WriteControlText(Label, "x");
    WriteControlText(Button, "y");
    EXPECT_EQ(Log(), Lines{"created"});
    EXPECT_STREQ(ReadControlText(Label).c_str(), "x");
    EXPECT_STREQ(ReadControlText(Button).c_str(), "y");
}

TEST_P(PlatformContract, TypingKeepsOnlyDigitsAndMinusAndReportsEachAcceptedCharacter) {
    struct Case {
        const char* typed;
        const char* textAfter;
        int events;
    };
    const Case cases[] = {
        {"a", "1", 0}, {".", "1", 0}, {"+", "1", 0}, {" ", "1", 0}, {"-", "1-", 1}, {"7", "17", 1}, {"7a-", "17-", 2},
    };
    LoadWindow(Window);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        WriteControlText(Edit, "1");
        Log().clear();
        user().types(Edit, c.typed);
        EXPECT_EQ(EditText(), c.textAfter);
        EXPECT_EQ(std::count(Log().begin(), Log().end(), "end"), c.events);
    }
}

TEST_P(PlatformContract, PastedTextIsNotFilteredAndRaisesTheEvent) {
    LoadWindow(Window);
    user().pastes(Edit, "abc");
    EXPECT_EQ(EditText(), "abc");
    EXPECT_EQ(Log(), (Lines{"created", "changed:abc", "end"}));
}

TEST_P(PlatformContract, AClickRunsTheBoundHandler) {
    LoadWindow(Window);
    user().clicks(Button);
    EXPECT_EQ(Log(), (Lines{"created", "clicked"}));
}

TEST_P(PlatformContract, AReadTextIsANewBlockOfTheReaderAndTheEmptyTextIsNoBlock) {
    LoadWindow(Window);
    const auto before = CurrentAllocatorCounts().liveBlocks;
    {
        OwnedText text = ReadControlText(Edit);
        EXPECT_STREQ(text.c_str(), "1");
        EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, before + 1);
    }
    EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, before);
    WriteControlText(Label, "");
    EXPECT_TRUE(ReadControlText(Label).empty());
    EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, before);
}

TEST_P(PlatformContract, RunEventLoopReturnsAtOnceWithoutAWindow) {
    RunEventLoop();
    EXPECT_TRUE(Log().empty());
}

TEST_P(PlatformContract, RunEventLoopEndsWhenTheWindowIsClosed) {
    LoadWindow(Window);
    user().duringLoop([this] {
        user().clicks(Button);
        user().closesWindow();
    });
    RunEventLoop();
    EXPECT_EQ(Log(), (Lines{"created", "clicked"}));
    EXPECT_FALSE(user().windowShown());
}

TEST_P(PlatformContract, TheExitStepCallsTheLastRegisteredCallbackOnceAndHoldsEventsForGood) {
    static int first = 0, second = 0;
    first = second = 0;
    RegisterExitCallback([] { ++first; });
    RegisterExitCallback([] { ++second; });
    LoadWindow(Window);
    RunExitStep();
    RunExitStep();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(ExitCallbackForTesting(), nullptr);
    WriteControlText(Edit, "5");
    EXPECT_EQ(Log(), Lines{"created"});
}

INSTANTIATE_TEST_SUITE_P(Backends, PlatformContract, testing::Values(&NullDriver(), &QtDriver()),
                         [](const testing::TestParamInfo<const Driver*>& param) { return std::string(param.param->name); });
