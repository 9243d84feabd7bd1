// Running out of memory: every allocation that a whole session makes (start-up, the window's
// creation, typing, pasting, every button, closing, the exit step) is made to fail in turn, each
// in a child process, which must stop with the allocation box and exit code -1, and without
// running the exit callback.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

#include "app/formation_table.h"
#include "app/formations.h"
#include "app/program.h"
#include "platform/null/null_backend.h"
#include "platform/testing.h"
#include "ui/main_window.h"

namespace {

constexpr char ExitCallbackRan[] = "exit callback ran";
constexpr std::string_view BoxStart = "[\xB4\xED\xCE\xF3] \xB7\xD6\xC5\xE4 ";             // [错误] 分配 
constexpr std::string_view BoxEnd = " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\n";  //  字节内存失败!

std::int64_t userSessionStart = 0;  // the allocation count when the user's part began
int exitCallbackRuns = 0;
bool inChild = false;

// The program's exit callback, announcing itself on a child's stderr so its output shows whether it ran.
void AnnouncedReleaseFormationTable() {
    ++exitCallbackRuns;
    if (inChild) std::fputs(ExitCallbackRan, stderr);
    ReleaseFormationTable();
}

// The null backend, except that building the window swaps the exit callback the program has just
// registered for the announcing one; allocations and events are untouched.
const PlatformBackend& AnnouncingNullBackend() {
    static const PlatformBackend backend = [] {
        PlatformBackend announcing = NullBackend();
        announcing.createWindow = [](const WindowDescription& window) {
            if (ExitCallbackForTesting() == &ReleaseFormationTable) RegisterExitCallback(AnnouncedReleaseFormationTable);
            return NullBackend().createWindow(window);
        };
        return announcing;
    }();
    return backend;
}

// The user's part: every kind of entry, corrections of the field, every button, then closing.
void UserSession() {
    userSessionStart = CurrentAllocatorCounts().allocations;
    NullUserClicks(按钮1);                                // looks up the initial "1"
    NullUserTypes(编辑框1, "7");                          // 17
    NullUserClicks(按钮3);                                // 18
    NullUserClicks(按钮2);                                // 17
    NullUserPastes(编辑框1, "\xA3\xB9\xA3\xB1");          // full-width 91, held at 90
    NullUserClicks(按钮1);
    NullUserClears(编辑框1);
    NullUserTypes(编辑框1, "0");                          // becomes 1
    NullUserPastes(编辑框1, "-0.5");
    NullUserClicks(按钮3);                                // writes 0, which becomes 1
    NullUserClicks(按钮4);
    NullUserClicks(按钮5);
    NullUserClicks(按钮6);
    NullUserClosesWindow();
}

// The whole program with the user's session; allocation n (counted from the start, 0 = none) fails.
int RunSessionFailingAllocation(std::int64_t n) {
    ResetPlatformForTesting();
    NullSetUserScript(UserSession);
    // StartPlatform allocates nothing, so counting from here counts from its end.
    FailAllocationNumber(n);
    return RunProgramOn(AnnouncingNullBackend());
}

// In a child: the session, then exit with the program's exit code.
[[noreturn]] void ExitWithSessionFailingAllocation(std::int64_t n) {
    inChild = true;
    std::exit(RunSessionFailingAllocation(n));
}

// The child's whole stderr is the allocation box, with `bytes` in it (any count above 0 when bytes
// is 0): no code line after it, nothing from the exit callback.
MATCHER_P(IsOnlyTheAllocationBoxFor, bytes, "is exactly the allocation box for " + (bytes == 0 ? std::string("some bytes") : std::to_string(bytes) + " bytes")) {
    const std::string_view text = arg;
    if (!text.starts_with(BoxStart) || !text.ends_with(BoxEnd) || text.size() <= BoxStart.size() + BoxEnd.size())
        return false;
    const std::string_view count = text.substr(BoxStart.size(), text.size() - BoxStart.size() - BoxEnd.size());
    std::size_t value = 0;
    const auto [stop, error] = std::from_chars(count.data(), count.data() + count.size(), value);
    if (error != std::errc() || stop != count.data() + count.size() || count.front() == '0' || value == 0) return false;
    return bytes == 0 || value == bytes;
}

std::size_t ThreadCount() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator()));
}

class AllocationFailure : public testing::Test {
protected:
    void SetUp() override {
        // fork() without exec is safe only while this process has a single thread; the null
        // backend starts none.
        ASSERT_EQ(ThreadCount(), 1u);
        GTEST_FLAG_SET(death_test_style, "fast");
    }
    void TearDown() override { ResetPlatformForTesting(); }
};

TEST_F(AllocationFailure, EveryAllocationOfASessionStopsTheProgramWithItsByteCount) {
    // Counting run, in this process: the session ends normally and gives everything back.
    exitCallbackRuns = 0;
    const AllocatorCounts before = CurrentAllocatorCounts();
    ASSERT_EQ(RunSessionFailingAllocation(0), 0);
    const AllocatorCounts after = CurrentAllocatorCounts();
    ASSERT_EQ(exitCallbackRuns, 1);
    ASSERT_EQ(after.liveBlocks, before.liveBlocks);
    const std::int64_t total = after.allocations - before.allocations;
    const std::int64_t startUp = userSessionStart - before.allocations;

    // Start-up: the empty table, the filled table's storage, then one copy per floor.
    ASSERT_EQ(startUp, 2 + static_cast<std::int64_t>(FloorFormations.size()));
    ASSERT_GT(total, startUp);
    RecordProperty("allocations", std::to_string(total));
    const auto expectedBytes = [&](std::int64_t n) -> std::size_t {
        if (n == 1) return sizeof(TextArray);
        if (n == 2) return sizeof(TextArray) + FloorFormations.size() * sizeof(char*);
        if (n <= startUp) return std::strlen(FloorFormations[static_cast<std::size_t>(n - 3)]) + 1;
        if (n == startUp + 1) return 2;  // the first lookup reads the field's "1"
        return 0;
    };

    for (std::int64_t n = 1; n <= total && !HasFailure(); ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(total));
        EXPECT_EXIT(ExitWithSessionFailingAllocation(n), testing::ExitedWithCode(255),
                    IsOnlyTheAllocationBoxFor(expectedBytes(n)));
    }
    // One past the last allocation nothing fails: the count above missed none at the end.
    EXPECT_EXIT(ExitWithSessionFailingAllocation(total + 1), testing::ExitedWithCode(0), testing::StrEq(ExitCallbackRan));
}

}  // namespace
