// The Qt 6 Widgets backend of the platform.
#pragma once

#include "platform/backend.h"

const PlatformBackend& QtBackend();

class QWidget;
// The main window while it exists (tests look at it), else nullptr.
QWidget* QtMainWindow();
