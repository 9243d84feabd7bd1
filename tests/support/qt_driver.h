// Plays the user on the Qt backend with real key clicks, clipboard pastes and mouse clicks.
#pragma once

#include <QWidget>

#include "tests/support/test_window.h"

namespace test_window {

const Driver& QtDriver();

// From the moment the application exists, every error box is written to stderr as
// "[caption] text" (GBK) and dismissed with its OK button, so death tests can read it.
void DismissFatalBoxes();

// Runs `action` from the event loop, once the application exists.
void OnceTheLoopRuns(std::function<void()> action);

}  // namespace test_window
