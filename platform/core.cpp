// The platform operations common to every backend: window descriptions, event delivery,
// the exit-callback slot, control texts and the fatal-error stop.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/backend.h"
#include "platform/testing.h"

namespace {

const PlatformBackend* backend = nullptr;
std::span<const WindowDescription> descriptions;
std::span<const WindowDescription> testDescriptions;
bool testDescriptionsSet = false;
const WindowDescription* loadedWindow = nullptr;
void (*exitCallback)() = nullptr;
bool creatingWindow = false;  // events held while a window is built
bool stopped = false;         // events held for good: fatal error or exit step
bool inFatalError = false;

constexpr char LoadDescriptionsFailed[] =
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!";  // 载入窗口模板数据段出错!
constexpr char LoadWindowFailed[] = "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";  // 载入启动窗口失败
constexpr char FatalCaption[] = "\xB4\xED\xCE\xF3";                                              // 错误
constexpr char FatalCodeLabel[] = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";                   // 错误代码：

bool Same(const char* a, const char* b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }

const ControlRow* FindRow(const WindowDescription& window, const char* name) {
    for (const ControlRow& row : window.controls)
        if (Same(row.name, name)) return &row;
    return nullptr;
}

// A description is readable when every name is unique, every parent is the window or a
// picture box created earlier, and every binding names an existing control and an event it has.
bool IsReadable(const WindowDescription& window) {
    if (window.name == nullptr || window.title == nullptr || window.width <= 0 || window.height <= 0) return false;
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const ControlRow& row = window.controls[i];
        if (row.name == nullptr || row.text == nullptr || Same(row.name, window.name)) return false;
        if (row.width < 0 || row.height < 0) return false;
        bool parentFound = Same(row.parent, window.name);
        for (std::size_t j = 0; j < i; ++j) {
            const ControlRow& earlier = window.controls[j];
            if (Same(earlier.name, row.name)) return false;
            if (Same(earlier.name, row.parent) && earlier.kind == ControlKind::PicBox) parentFound = true;
        }
        if (!parentFound) return false;
    }
    for (const EventBinding& binding : window.bindings) {
        if (binding.handler == nullptr) return false;
        if (Same(binding.control, window.name)) {
            if (binding.event != Event::Created) return false;
            continue;
        }
        const ControlRow* row = FindRow(window, binding.control);
        if (row == nullptr) return false;
        if (binding.event == Event::Clicked && row->kind != ControlKind::Button) return false;
        if (binding.event == Event::TextChanged && row->kind != ControlKind::EditBox) return false;
        if (binding.event == Event::Created) return false;
    }
    return true;
}

}  // namespace

void UsePlatformBackend(const PlatformBackend& chosen) { backend = &chosen; }

int RunProgramOn(const PlatformBackend& chosen) {
    UsePlatformBackend(chosen);
    const std::int32_t code = ProgramEntry();
    RunExitStep();
    return code;
}

void StartPlatform() {
    if (backend == nullptr || !backend->start()) std::_Exit(EXIT_FAILURE);
    descriptions = testDescriptionsSet ? testDescriptions : ProgramWindowDescriptions();
    for (const WindowDescription& window : descriptions)
        if (!IsReadable(window)) ReportFatalError(0, LoadDescriptionsFailed);
}

void RegisterExitCallback(void (*routine)()) { exitCallback = routine; }

void LoadWindow(const char* windowName) {
    const WindowDescription* window = nullptr;
    for (const WindowDescription& candidate : descriptions)
        if (Same(candidate.name, windowName)) window = &candidate;
    if (window == nullptr || loadedWindow != nullptr) ReportFatalError(0, LoadWindowFailed);

    creatingWindow = true;
    const bool created = backend->createWindow(*window);
    creatingWindow = false;
    if (!created) ReportFatalError(0, LoadWindowFailed);
    loadedWindow = window;
    DeliverEvent(window->name, Event::Created);
    if (!stopped) backend->showWindow();
}

void RunEventLoop() {
    if (backend == nullptr || !backend->hasWindow()) return;
    backend->runEventLoop();
}

void DeliverEvent(const char* control, Event event) {
    if (creatingWindow || stopped || loadedWindow == nullptr) return;
    for (const EventBinding& binding : loadedWindow->bindings)
        if (binding.event == event && Same(binding.control, control)) binding.handler();
}

const ControlRow* FindLoadedControl(const char* control) {
    return loadedWindow == nullptr ? nullptr : FindRow(*loadedWindow, control);
}

OwnedText& OwnedText::operator=(OwnedText&& other) noexcept {
    if (this != &other) {
        FreeMemory(block_);
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

OwnedText ReadControlText(const char* control) {
    std::string gbk;
    if (backend == nullptr || FindLoadedControl(control) == nullptr || !backend->readText(control, gbk)) return {};
    const std::size_t length = std::strlen(gbk.c_str());  // a text ends at its first zero byte
    if (length == 0) return {};
    auto* block = static_cast<char*>(AllocateMemory(length + 1));
    std::memcpy(block, gbk.c_str(), length + 1);
    return OwnedText(block);
}

void WriteControlText(const char* control, const char* gbk) {
    const ControlRow* row = FindLoadedControl(control);
    if (row == nullptr || stopped) return;
    backend->writeText(control, gbk == nullptr ? "" : gbk);
    if (row->kind == ControlKind::EditBox) DeliverEvent(control, Event::TextChanged);
}

void OpenWebAddress(const char* address) {
    if (backend != nullptr && !stopped && address != nullptr) backend->openWebAddress(address);
}

void RunExitStep() {
    stopped = true;
    loadedWindow = nullptr;
    descriptions = {};
    if (void (*routine)() = exitCallback) {
        exitCallback = nullptr;
        routine();
    }
    if (backend != nullptr) backend->shutdown();
}

void ReportFatalError(std::int32_t code, const char* messageGbk) {
    if (inFatalError) std::_Exit(-1);  // a failure while reporting one: nothing more can be shown
    inFatalError = true;
    stopped = true;

    // The box's text: the message and, for a non-zero code, the code. Built without the heap.
    char text[512];
    std::snprintf(text, sizeof text, "%s", messageGbk == nullptr ? "" : messageGbk);
    if (code != 0) {
        const std::size_t used = std::strlen(text);
        char number[16];
        *std::to_chars(number, number + sizeof number - 1, code).ptr = '\0';
        std::snprintf(text + used, sizeof text - used, "\n%s%s", FatalCodeLabel, number);
    }
    if (backend != nullptr) backend->showFatalBox(FatalCaption, text);

    exitCallback = nullptr;
    RunExitStep();
    std::fflush(nullptr);
    std::_Exit(-1);
}

void UseWindowDescriptionsForTesting(std::span<const WindowDescription> windows) {
    testDescriptions = windows;
    testDescriptionsSet = !windows.empty();
}

void ResetPlatformForTesting() {
    if (backend != nullptr) backend->shutdown();
    descriptions = {};
    loadedWindow = nullptr;
    exitCallback = nullptr;
    creatingWindow = false;
    stopped = false;
    inFatalError = false;
    FailAllocationNumber(0);
}

void (*ExitCallbackForTesting())() { return exitCallback; }

bool AcceptsTypedCharacter(const ControlRow& row, char32_t character) {
    if (character < 32 || row.typedCharacters == nullptr) return true;
    if (character > 127) return false;
    return std::strchr(row.typedCharacters, static_cast<int>(character)) != nullptr;
}
