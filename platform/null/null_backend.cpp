// The null backend: a window of named texts in memory.
#include "platform/null/null_backend.h"

#include <cstdio>
#include <map>
#include <utility>

namespace {

struct NullWindow {
    const WindowDescription* description = nullptr;
    std::map<std::string, std::string> texts;
    bool shown = false;
};

std::optional<NullWindow> window;
std::function<void()> userScript;
std::vector<std::string> openedAddresses;

// The user's edit: the text changes, then the box reports it, as a real box does.
void UserChangesText(const char* control, std::string text) {
    if (!window || !window->texts.contains(control)) return;
    std::string& current = window->texts[control];
    if (current == text) return;
    current = std::move(text);
    DeliverEvent(control, Event::TextChanged);
}

const PlatformBackend backend{
    .start = [] { return true; },
    .createWindow =
        [](const WindowDescription& description) {
            window.emplace();
            window->description = &description;
            for (const ControlRow& row : description.controls) window->texts[row.name] = row.text;
            return true;
        },
    .showWindow = [] { if (window) window->shown = true; },
    .hasWindow = [] { return window.has_value(); },
    .runEventLoop =
        [] {
            if (userScript) std::exchange(userScript, nullptr)();
            window.reset();
        },
    .readText =
        [](const char* control, std::string& gbk) {
            if (!window || !window->texts.contains(control)) return false;
            gbk = window->texts[control];
            return true;
        },
    .writeText = [](const char* control, const char* gbk) { if (window) window->texts[control] = gbk; },
    .openWebAddress = [](const char* address) { openedAddresses.emplace_back(address); },
    .showFatalBox =
        [](const char* caption, const char* text) {
            std::fprintf(stderr, "[%s] %s\n", caption, text);
            std::fflush(stderr);
        },
    .shutdown =
        [] {
            window.reset();
            userScript = nullptr;
        },
};

}  // namespace

const PlatformBackend& NullBackend() { return backend; }

void NullSetUserScript(std::function<void()> script) { userScript = std::move(script); }

void NullUserTypes(const char* control, std::string_view gbk) {
    const ControlRow* row = FindLoadedControl(control);
    if (row == nullptr || !window) return;
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        std::string character(1, gbk[i]);
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte >= 0x81 && i + 1 < gbk.size()) character += gbk[++i];
        const char32_t code = byte < 0x80 ? byte : char32_t{0x80};  // any double-byte character is >= 32
        if (!AcceptsTypedCharacter(*row, code)) continue;
        if (character == "\b") {
            std::string text = window->texts[control];
            if (!text.empty()) text.pop_back();
            UserChangesText(control, std::move(text));
        } else if (byte >= 32) {
            UserChangesText(control, window->texts[control] + character);
        }
    }
}

void NullUserPastes(const char* control, std::string_view gbk) { UserChangesText(control, std::string(gbk)); }

void NullUserClears(const char* control) { UserChangesText(control, std::string()); }

void NullUserClicks(const char* control) {
    const ControlRow* row = FindLoadedControl(control);
    if (row != nullptr && row->kind == ControlKind::Button) DeliverEvent(control, Event::Clicked);
}

void NullUserClosesWindow() { window.reset(); }

std::string NullTextOf(const char* control) {
    if (!window || !window->texts.contains(control)) return {};
    return window->texts[control];
}

bool NullWindowShown() { return window && window->shown; }

const std::vector<std::string>& NullOpenedAddresses() { return openedAddresses; }
