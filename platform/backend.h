// What a toolkit backend provides to the platform core. Only platform/ and tests include this.
// The core owns the allocator, the exit slot, event holding and the bindings; a backend only
// builds widgets, moves texts in and out of them and runs its toolkit.
#pragma once

#include <string>

#include "platform/platform.h"

struct PlatformBackend {
    // Prepares the toolkit; false if it cannot start.
    bool (*start)();
    // Builds the window and its controls hidden, raising nothing; false if it cannot.
    bool (*createWindow)(const WindowDescription& window);
    // Shows and activates the built window.
    void (*showWindow)();
    bool (*hasWindow)();
    // Dispatches until the last window has been destroyed.
    void (*runEventLoop)();
    // The control's text as GBK; false if there is no such control.
    bool (*readText)(const char* control, std::string& gbk);
    // Sets the control's text and repaints it; raises nothing.
    void (*writeText)(const char* control, const char* gbk);
    void (*openWebAddress)(const char* address);
    // Modal error box with no owner; returns once it has been dismissed.
    void (*showFatalBox)(const char* captionGbk, const char* textGbk);
    // Destroys whatever windows remain and stops the toolkit.
    void (*shutdown)();
};

// Chooses the backend; done by the process start-up before anything else.
void UsePlatformBackend(const PlatformBackend& backend);

// Called by a backend when something happened to a control (or to the window, by its name).
// Dropped while events are held back; otherwise runs the bound handler to its end.
void DeliverEvent(const char* control, Event event);

// The row of a control of the loaded window, or nullptr.
const ControlRow* FindLoadedControl(const char* control);

// The edit-box character filter shared by every backend: characters below 32 pass (editing
// keys and shortcuts), others only if the row lists them.
bool AcceptsTypedCharacter(const ControlRow& row, char32_t character);

// The process start-up: the program over `backend`, then the exit step; returns the exit code.
int RunProgramOn(const PlatformBackend& backend);
