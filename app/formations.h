// The formation of every floor of the cave, compiled into the program.
#pragma once

#include <array>

// Entry n - 1 is floor n: four GBK troop characters (魔 mage, 炮 cannon, 弓 bow, 步 or its
// variant 歩 infantry), one of each, zero-terminated. Read-only; equal texts may share storage.
extern const std::array<const char*, 90> FloorFormations;
