#include "app/program.h"

#include <cfenv>
#include <cstring>

#include "app/formation_table.h"
#include "app/formations.h"
#include "platform/platform.h"
#include "ui/main_window.h"

std::int32_t ProgramEntry() {
    StartPlatform();
    // Round to nearest, every exception masked: bad arithmetic yields values, never traps.
    std::fesetenv(FE_DFL_ENV);
    FormationTable = NewTextArray(0);
    RegisterExitCallback(ReleaseFormationTable);
    LoadWindow(MAIN_WINDOW);
    RunEventLoop();
    return 0;
}

void OnWindowCreated() {
    const auto count = static_cast<std::int32_t>(FloorFormations.size());
    TextArray* filled = NewTextArray(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const char* entry = FloorFormations[static_cast<std::size_t>(i)];
        if (entry == nullptr || *entry == '\0') continue;
        const std::size_t bytes = std::strlen(entry) + 1;
        auto* copy = static_cast<char*>(AllocateMemory(bytes));
        std::memcpy(copy, entry, bytes);
        filled->slot(i) = copy;
    }
    // The new array is complete before the old one goes.
    ReleaseTextArray(FormationTable);
    FormationTable = filled;
}

void ReleaseFormationTable() { ReleaseTextArray(FormationTable); }
