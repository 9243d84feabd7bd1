// A working fake backend: control texts in memory, the same event delivery as the real one,
// and a simulated user. Linked into tests only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"

const PlatformBackend& NullBackend();

// What RunEventLoop does: the simulated user's actions, run in order; the window is then
// closed if the script left it open.
void NullSetUserScript(std::function<void()> script);

// The user types these characters one by one at the end of the text; filtered like a real box.
void NullUserTypes(const char* control, std::string_view gbk);
// The user selects the whole text and pastes this over it (pasting is not filtered).
void NullUserPastes(const char* control, std::string_view gbk);
// The user selects the whole text and deletes it.
void NullUserClears(const char* control);
void NullUserClicks(const char* control);
void NullUserClosesWindow();

// Inspection, without events or the program's allocator.
std::string NullTextOf(const char* control);
bool NullWindowShown();
const std::vector<std::string>& NullOpenedAddresses();
