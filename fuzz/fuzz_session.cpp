// libFuzzer target: a whole session of the real main window on the null backend, driven by the
// input, with what the window promises checked after every step.
//
// The input is a sequence of steps. A step is one byte naming it; steps that carry text are
// followed by a length byte (taken modulo 64) and that many bytes of text, any bytes at all:
// GBK, broken double-byte sequences, zero bytes.
//   'T' text  the user types it (filtered as the box filters typing; '\b' is Backspace)
//   'P' text  the user selects everything and pastes it (unfiltered)
//   'W' text  the program writes it into the field
//   'C'       the user selects everything and deletes it
//   '1'..'6'  the user clicks 按钮1..按钮6
// Any other step byte stands for one of these by its value modulo 10.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

#include "app/formation_table.h"
#include "app/formations.h"
#include "app/program.h"
#include "platform/null/null_backend.h"
#include "platform/testing.h"
#include "ui/floor_value.h"
#include "ui/main_window.h"

namespace {

constexpr char StepNames[] = "TPCW123456";
constexpr const char* Buttons[] = {按钮1, 按钮2, 按钮3, 按钮4, 按钮5, 按钮6};

std::int64_t addressesOpened = 0;

// The null backend, except that opened addresses are only counted: the null backend keeps every
// address it was given, and a long run clicks the link buttons millions of times.
const PlatformBackend& SessionBackend() {
    static const PlatformBackend backend = [] {
        PlatformBackend counting = NullBackend();
        counting.openWebAddress = [](const char*) { ++addressesOpened; };
        return counting;
    }();
    return backend;
}

const std::set<std::string>& DistinctFormations() {
    static const std::set<std::string> formations(FloorFormations.begin(), FloorFormations.end());
    return formations;
}

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    __builtin_trap();
}

// A control's text as the program reads it: up to its first zero byte.
std::string ProgramTextOf(const char* control) { return NullTextOf(control).c_str(); }

// The floor the text selects (1..90), or 0 when it selects none.
int SelectedFloor(const std::string& text) {
    const double value = ParseFloorText(text.c_str());
    for (int floor = 1; floor <= FLOOR_COUNT; ++floor)
        if (std::fabs(value - floor) <= FLOOR_EPSILON) return floor;
    return 0;
}

// The field after a step button: a decimal integer written the way "%d" writes it.
bool IsStepResult(const std::string& text, std::int32_t& number) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end) return false;
    char canonical[16];
    const auto written = std::to_chars(canonical, canonical + sizeof canonical, number).ptr;
    return std::string_view(canonical, static_cast<std::size_t>(written - canonical)) == text;
}

// What 按钮2 (step -1, at least 1) or 按钮3 (step +1, at most 90) leaves in the field, for values
// small enough that no 32-bit limit is involved; the field's own corrections applied.
std::int32_t ExpectedStep(double before, int step) {
    auto floor = static_cast<std::int32_t>(std::trunc(before + step));
    if (step < 0) floor = std::max(floor, 1);
    floor = std::min(floor, FLOOR_COUNT);
    return floor == 0 ? 1 : floor;
}

class Steps {
public:
    Steps(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Next(char& step) {
        if (at_ >= size_) return false;
        const std::uint8_t byte = data_[at_++];
        step = byte != 0 && std::strchr(StepNames, byte) != nullptr ? static_cast<char>(byte) : StepNames[byte % 10];
        return true;
    }
    std::string Text() {
        if (at_ >= size_) return {};
        const std::size_t wanted = data_[at_++] % 64;
        const std::size_t length = std::min(wanted, size_ - at_);
        std::string text(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void RunStep(char step, Steps& steps) {
    const std::string fieldBefore = NullTextOf(编辑框1);
    const std::string labelBefore = NullTextOf(透明标签2);
    const std::int64_t openedBefore = addressesOpened;
    int button = 0;  // 1..6 when the step is a click

    switch (step) {
        case 'T': NullUserTypes(编辑框1, steps.Text()); break;
        case 'P': NullUserPastes(编辑框1, steps.Text()); break;
        case 'W': WriteControlText(编辑框1, steps.Text().c_str()); break;
        case 'C': NullUserClears(编辑框1); break;
        default:
            button = step - '0';
            NullUserClicks(Buttons[button - 1]);
            break;
    }

    const std::string field = ProgramTextOf(编辑框1);
    const std::string label = NullTextOf(透明标签2);
    Require(field != "0", "the field reads exactly 0");
    Require(ParseFloorText(field.c_str()) - FLOOR_COUNT <= FLOOR_EPSILON, "the field reads above 90");
    Require(DistinctFormations().contains(label), "the label holds no formation");

    if (button >= 4) {
        Require(NullTextOf(编辑框1) == fieldBefore, "a link click changed the field");
        Require(label == labelBefore, "a link click changed the label");
        Require(addressesOpened == openedBefore + 1, "a link click did not open exactly one address");
        return;
    }
    Require(addressesOpened == openedBefore, "an address was opened by something else than a link");
    if (button == 0) {
        Require(label == labelBefore, "editing the field changed the label");
        return;
    }
    // A lookup or a step shows the floor the field now selects, or leaves the label alone.
    const int floor = SelectedFloor(field);
    if (floor != 0)
        Require(label == FloorFormations[static_cast<std::size_t>(floor - 1)], "the label shows another floor");
    else
        Require(label == labelBefore, "a lookup without a floor changed the label");
    if (button == 1) return;

    std::int32_t number = 0;
    Require(IsStepResult(field, number), "a step left no decimal integer in the field");
    const double before = ParseFloorText(fieldBefore.c_str());
    if (std::fabs(before) < 1e9)
        Require(number == ExpectedStep(before, button == 2 ? -1 : 1), "a step went to the wrong floor");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetPlatformForTesting();
    const AllocatorCounts atStart = CurrentAllocatorCounts();
    UsePlatformBackend(SessionBackend());
    StartPlatform();
    FormationTable = NewTextArray(0);
    RegisterExitCallback(ReleaseFormationTable);
    LoadWindow(MAIN_WINDOW);
    Require(FormationTable->count == FLOOR_COUNT, "the window opened without a filled table");
    const AllocatorCounts windowOpen = CurrentAllocatorCounts();

    Steps steps(data, size);
    for (char step = 0; steps.Next(step);) {
        RunStep(step, steps);
        const AllocatorCounts now = CurrentAllocatorCounts();
        Require(now.liveBlocks == windowOpen.liveBlocks && now.liveBytes == windowOpen.liveBytes,
                "a step kept or lost an allocator block");
    }

    RunExitStep();
    const AllocatorCounts atEnd = CurrentAllocatorCounts();
    Require(atEnd.liveBlocks == atStart.liveBlocks && atEnd.liveBytes == atStart.liveBytes,
            "the exit step left blocks behind");
    return 0;
}
