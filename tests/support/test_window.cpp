#include "tests/support/test_window.h"

#include "platform/null/null_backend.h"
#include "platform/platform.h"

namespace test_window {
namespace {

std::function<void()> onChanged;
std::function<void()> onCreated;

void Created() {
    Log().push_back("created");
    if (onCreated) onCreated();
}

void Changed() {
    Log().push_back(std::string("changed:") + ReadControlText(Edit).c_str());
    if (onChanged) onChanged();
    Log().push_back("end");
}

void Clicked() { Log().push_back("clicked"); }

constexpr ControlRow Controls[] = {
    {.name = Pane, .kind = ControlKind::PicBox, .parent = Window, .left = 0, .top = 0, .width = 200, .height = 100, .stackFromTop = 1,
     .picture = "PanelPicture"},
    {.name = Edit, .kind = ControlKind::EditBox, .parent = Pane, .left = 10, .top = 10, .width = 80, .height = 24, .stackFromTop = 1,
     .text = "1", .takesFocus = true, .typedCharacters = "-0123456789"},
    {.name = Label, .kind = ControlKind::TransLabel, .parent = Pane, .left = 10, .top = 40, .width = 80, .height = 24, .stackFromTop = 0,
     .text = "label"},
    {.name = Button, .kind = ControlKind::Button, .parent = Window, .left = 100, .top = 10, .width = 80, .height = 30, .stackFromTop = 0,
     .text = "button", .takesFocus = true},
};

constexpr EventBinding Bindings[] = {
    {Window, Event::Created, Created},
    {Edit, Event::TextChanged, Changed},
    {Button, Event::Clicked, Clicked},
};

constexpr WindowDescription Windows[] = {
    {.name = Window, .title = "test", .width = 200, .height = 100, .icon = nullptr, .controls = Controls, .bindings = Bindings},
};

const Driver nullDriver{
    .name = "Null",
    .backend = NullBackend,
    .windowShown = NullWindowShown,
    .types = [](const char* control, const std::string& gbk) { NullUserTypes(control, gbk); },
    .pastes = [](const char* control, const std::string& gbk) { NullUserPastes(control, gbk); },
    .clicks = NullUserClicks,
    .clears = NullUserClears,
    .closesWindow = NullUserClosesWindow,
    .duringLoop = NullSetUserScript,
    .openedAddresses = [] { return NullOpenedAddresses(); },
};

}  // namespace

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

void SetOnChanged(std::function<void()> action) { onChanged = std::move(action); }
void SetOnCreated(std::function<void()> action) { onCreated = std::move(action); }

std::span<const WindowDescription> Descriptions() { return Windows; }

const Driver& NullDriver() { return nullDriver; }

}  // namespace test_window
