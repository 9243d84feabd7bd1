#include "ui/floor.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "app/formation_table.h"
#include "platform/platform.h"
#include "ui/floor_value.h"
#include "ui/main_window.h"

namespace {

// Truncates toward zero whatever the rounding mode, saturating at the ends of 32 bits.
std::int32_t TruncateToInt32(double value) {
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (truncated <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(truncated);
}

// Writes the step's result into the field as "%d" does; OnFloorTextChanged runs inside.
void WriteFloorNumber(std::int32_t floor) {
    char text[16];
    *std::to_chars(text, text + sizeof text - 1, floor).ptr = '\0';
    WriteControlText(编辑框1, text);
}

}  // namespace

double ReadFloorValue() { return ParseFloorText(ReadControlText(编辑框1).c_str()); }

void ShowFormationFor() {
    // Every floor is tried, each against a fresh read of the field; at most one matches.
    for (std::int32_t floor = 1; floor <= FLOOR_COUNT; ++floor) {
        const double value = ReadFloorValue();
        if (std::fabs(value - floor) <= FLOOR_EPSILON) WriteControlText(透明标签2, FormationAt(floor - 1));
    }
}

void OnFloorTextChanged() {
    if (ReadFloorValue() - FLOOR_COUNT > FLOOR_EPSILON) WriteControlText(编辑框1, "90");
    if (std::strcmp(ReadControlText(编辑框1).c_str(), "0") == 0) WriteControlText(编辑框1, "1");
}

void OnLookupClicked() { ShowFormationFor(); }

void OnPreviousFloorClicked() {
    std::int32_t floor = TruncateToInt32(ReadFloorValue() - 1);
    if (floor < 1) floor = 1;
    WriteFloorNumber(floor);
    ShowFormationFor();
}

void OnNextFloorClicked() {
    std::int32_t floor = TruncateToInt32(ReadFloorValue() + 1);
    if (floor > FLOOR_COUNT) floor = FLOOR_COUNT;
    WriteFloorNumber(floor);
    ShowFormationFor();
}
