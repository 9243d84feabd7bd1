// The real program, with the start-up probe added from the application's own start-up.
#include "bench/first_frame.h"
#include "platform/backend.h"
#include "platform/qt/qt_backend.h"

namespace {
void Probe() { InstallFirstFrameProbe(); }
Q_COREAPP_STARTUP_FUNCTION(Probe)
}  // namespace

int main() { return RunProgramOn(QtBackend()); }
