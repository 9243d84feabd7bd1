// Start-up, the formation table's lifetime and shutdown, on the null backend and on Qt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <array>
#include <cstring>
#include <set>

#include "app/formation_table.h"
#include "app/formations.h"
#include "app/program.h"
#include "platform/null/null_backend.h"
#include "platform/qt/qt_backend.h"
#include "platform/testing.h"
#include "tests/support/qt_driver.h"
#include "ui/main_window.h"

namespace {

// What the handlers saw while the real window was being opened.
std::vector<std::string> seen;
std::int32_t countWhenCreated = -1;

void RecordingWindowCreated() {
    countWhenCreated = FormationTable == nullptr ? -1 : FormationTable->count;
    seen.push_back("created");
    OnWindowCreated();
}
void RecordingTextChanged() { seen.push_back("changed"); }

// The real main window with bindings that record before doing the real work.
const EventBinding RecordingBindings[] = {
    {MAIN_WINDOW, Event::Created, RecordingWindowCreated},
    {编辑框1, Event::TextChanged, RecordingTextChanged},
};
const WindowDescription RecordingWindows[] = {{
    .name = MAIN_WINDOW, .title = "t", .width = 540, .height = 624, .icon = nullptr,
    .controls = ProgramWindowDescriptions()[0].controls, .bindings = RecordingBindings,
}};

class ProgramOnNull : public testing::Test {
protected:
    void SetUp() override {
        ResetPlatformForTesting();
        seen.clear();
        countWhenCreated = -1;
        baseline = CurrentAllocatorCounts().liveBlocks;
    }
    void TearDown() override {
        ResetPlatformForTesting();
        UseWindowDescriptionsForTesting({});
    }
    std::int64_t baseline = 0;
};

TEST_F(ProgramOnNull, TheTableIsEmptyUntilTheWindowReportsItsCreationAndCreationRaisesNothingElse) {
    UseWindowDescriptionsForTesting(RecordingWindows);
    NullSetUserScript([] { seen.push_back("loop"); });
    EXPECT_EQ(RunProgramOn(NullBackend()), 0);
    EXPECT_EQ(countWhenCreated, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"created", "loop"}));
}

TEST_F(ProgramOnNull, EverySlotIsABlockOfItsOwnEqualToItsFloorsFormation) {
    NullSetUserScript([] {
        ASSERT_NE(FormationTable, nullptr);
        ASSERT_EQ(FormationTable->count, 90);
        std::set<const char*> blocks;
        for (std::size_t i = 0; i < 90; ++i) {
            const char* slot = FormationTable->slot(static_cast<std::int32_t>(i));
            EXPECT_STREQ(slot, FloorFormations[i]) << "floor " << i + 1;
            EXPECT_NE(slot, FloorFormations[i]) << "floor " << i + 1 << " shares the compiled text";
            blocks.insert(slot);
        }
        EXPECT_EQ(blocks.size(), 90u);
        // Writing into a slot leaves the compiled list alone.
        FormationTable->slot(0)[0] = 'X';
        EXPECT_EQ(static_cast<unsigned char>(FloorFormations[0][0]), 0xC4);
    });
    EXPECT_EQ(RunProgramOn(NullBackend()), 0);
}

TEST_F(ProgramOnNull, ClosingTheWindowReleasesEveryBlockOnceThroughTheExitCallback) {
    void (*callbackAtLoopEnd)() = nullptr;
    NullSetUserScript([] { NullUserClosesWindow(); });
    UsePlatformBackend(NullBackend());
    EXPECT_EQ(ProgramEntry(), 0);
    callbackAtLoopEnd = ExitCallbackForTesting();
    EXPECT_EQ(callbackAtLoopEnd, &ReleaseFormationTable);
    EXPECT_GT(CurrentAllocatorCounts().liveBlocks, baseline);  // the filled table, still held
    RunExitStep();
    EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, baseline);
    EXPECT_EQ(ExitCallbackForTesting(), nullptr);
}

// Fatal stops end the process: each runs in a child and is judged by its exit status and its box.
class FatalStop : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

constexpr char IndexOutOfRangeBox[] = "[\xB4\xED\xCE\xF3] \xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7\n\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA" "1";  // [错误] 数组成员引用下标超出定义范围\n错误代码：1
constexpr char IndexBelowOneBox[] = "[\xB4\xED\xCE\xF3] \xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA" "1\n\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA" "4";  // [错误] 数组成员引用下标必须大于等于1\n错误代码：4
constexpr char ExitCallbackRan[] = "exit callback ran";

// Runs the real program on the null backend and, once the window is up, does `action`.
void RunProgramThen(void (*action)()) {
    static void (*pending)() = nullptr;
    pending = action;
    ResetPlatformForTesting();
    NullSetUserScript([] {
        RegisterExitCallback([] { std::fputs(ExitCallbackRan, stderr); });
        pending();
    });
    std::exit(RunProgramOn(NullBackend()));
}

TEST_F(FatalStop, ReadingPastTheLastFloorShowsCodeOneAndEndsWith255WithoutTheExitCallback) {
    EXPECT_EXIT(RunProgramThen([] { FormationAt(90); }), testing::ExitedWithCode(255),
                testing::AllOf(testing::HasSubstr(IndexOutOfRangeBox), testing::Not(testing::HasSubstr(ExitCallbackRan))));
}

TEST_F(FatalStop, ReadingBelowTheFirstFloorShowsCodeFour) {
    EXPECT_EXIT(RunProgramThen([] { FormationAt(-1); }), testing::ExitedWithCode(255),
                testing::AllOf(testing::HasSubstr(IndexBelowOneBox), testing::Not(testing::HasSubstr(ExitCallbackRan))));
}

TEST_F(FatalStop, AFailedAllocationShowsItsByteCountAndNoCode) {
    // "[错误] 分配 9 字节内存失败!" and nothing after it: no code line.
    EXPECT_EXIT(RunProgramThen([] {
                    FailAllocationNumber(1);
                    AllocateMemory(9);
                }),
                testing::ExitedWithCode(255),
                testing::AllOf(testing::HasSubstr("[\xB4\xED\xCE\xF3] \xB7\xD6\xC5\xE4 9 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\n"),  // [错误] 分配 9 字节内存失败!
                               testing::Not(testing::HasSubstr("\xB4\xFA\xC2\xEB")),                                          // 代码
                               testing::Not(testing::HasSubstr(ExitCallbackRan))));
}

// A window description whose control hangs from a parent that does not exist.
constexpr ControlRow OrphanControls[] = {
    {.name = "orphan", .kind = ControlKind::Button, .parent = "nowhere", .left = 0, .top = 0, .width = 10, .height = 10, .stackFromTop = 0},
};
constexpr WindowDescription UnreadableWindows[] = {
    {.name = "w", .title = "t", .width = 10, .height = 10, .icon = nullptr, .controls = OrphanControls, .bindings = {}},
};

TEST_F(FatalStop, UnreadableWindowDescriptionsStopTheStartUp) {
    EXPECT_EXIT(
        {
            ResetPlatformForTesting();
            UseWindowDescriptionsForTesting(UnreadableWindows);
            std::exit(RunProgramOn(NullBackend()));
        },
        testing::ExitedWithCode(255),
        testing::HasSubstr("[\xB4\xED\xCE\xF3] \xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"));  // [错误] 载入窗口模板数据段出错!
}

TEST_F(FatalStop, AWindowThatCannotBeCreatedStopsTheStartUp) {
    EXPECT_EXIT(
        {
            ResetPlatformForTesting();
            UsePlatformBackend(NullBackend());
            StartPlatform();
            LoadWindow("no such window");
        },
        testing::ExitedWithCode(255),
        testing::HasSubstr("[\xB4\xED\xCE\xF3] \xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC"));  // [错误] 载入启动窗口失败
}

TEST_F(FatalStop, TheRealErrorBoxIsCaptionedWithTheErrorIconAndOneOkButton) {
    EXPECT_EXIT(
        {
            ResetPlatformForTesting();
            test_window::DismissFatalBoxes();
            test_window::OnceTheLoopRuns([] { FormationAt(90); });
            std::exit(RunProgramOn(QtBackend()));
        },
        testing::ExitedWithCode(255),
        testing::AllOf(testing::HasSubstr(IndexOutOfRangeBox), testing::HasSubstr("icon=error buttons=ok owner=none")));
}

}  // namespace

namespace {

// The real program on Qt, closed with Esc, ends with 0 and has freed every block it took.
TEST(RealProgram, EscClosesItAndItExitsZeroWithEveryBlockFreed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ResetPlatformForTesting();
            const auto before = CurrentAllocatorCounts().liveBlocks;
            test_window::OnceTheLoopRuns([] { QTest::keyClick(QtControl(编辑框1), Qt::Key_Escape); });
            const int code = RunProgramOn(QtBackend());
            std::fprintf(stderr, "live=%lld window=%d\n",
                         static_cast<long long>(CurrentAllocatorCounts().liveBlocks - before), QtMainWindow() != nullptr);
            std::exit(code);
        },
        testing::ExitedWithCode(0), testing::HasSubstr("live=0 window=0"));
}

}  // namespace
