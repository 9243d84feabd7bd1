// The Qt 6 Widgets backend of the platform.
#pragma once

#include "platform/backend.h"

const PlatformBackend& QtBackend();

class QWidget;
// The main window while it exists (tests and tools look at it), else nullptr.
QWidget* QtMainWindow();
// The main window's control with this name while it exists, else nullptr.
QWidget* QtControl(const char* name);
