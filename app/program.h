// The program's entry routine, the start-up handler and the exit callback.
#pragma once

#include <cstdint>

// Brings the platform up, opens the main window and runs it until it is closed; returns 0.
std::int32_t ProgramEntry();

// The main window exists: FormationTable gets its own copy of every floor's formation.
void OnWindowCreated();

// Exit callback: frees FormationTable.
void ReleaseFormationTable();
