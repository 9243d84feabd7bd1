// A small window of one of each control, its handlers recording what ran, and drivers that play
// the user on either backend, so one suite of behaviours runs against both.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace test_window {

inline constexpr char Window[] = "window";
inline constexpr char Edit[] = "edit";
inline constexpr char Button[] = "button";
inline constexpr char Label[] = "label";
inline constexpr char Pane[] = "pane";

// What the handlers saw, in order: "created", "clicked", "changed:<text>", and "end:" markers for
// the end of a nested run.
std::vector<std::string>& Log();

// Runs inside the edit box's handler after it has logged; lets a test write from inside it.
void SetOnChanged(std::function<void()> action);
// Runs inside the created handler.
void SetOnCreated(std::function<void()> action);

std::span<const WindowDescription> Descriptions();

// Plays the user on one backend.
struct Driver {
    const char* name;
    const PlatformBackend& (*backend)();
    bool (*windowShown)();
    void (*types)(const char* control, const std::string& gbk);
    void (*pastes)(const char* control, const std::string& gbk);
    void (*clicks)(const char* control);
    void (*clears)(const char* control);
    void (*closesWindow)();
    // Runs `action` from inside RunEventLoop.
    void (*duringLoop)(std::function<void()> action);
    // Every web address handed to the desktop so far.
    std::vector<std::string> (*openedAddresses)();
};

const Driver& NullDriver();

}  // namespace test_window
