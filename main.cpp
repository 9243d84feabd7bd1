// Process start-up: the program over the Qt backend. Command-line arguments are not read.
#include "platform/backend.h"
#include "platform/qt/qt_backend.h"

int main() { return RunProgramOn(QtBackend()); }
