// The platform operations the program relies on, and the types of a window description.
// app/ and ui/ see the platform only through this header; it names no toolkit type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// ---- Window descriptions -------------------------------------------------------------------

enum class ControlKind { PicBox, Button, EditBox, TransLabel };

enum class Event { Created, Clicked, TextChanged };

enum class Alignment { Left, Centre };

struct Rgb {
    std::uint8_t r, g, b;
};

// face: GBK face name, or nullptr for the platform's default face (one that shows Chinese).
// pixelHeight: character height without internal leading.
struct FontSpec {
    const char* face = nullptr;
    int pixelHeight = 0;
    int weight = 400;
};

// One control of a window. Texts are GBK. Colours left unset take the platform's own
// (button face for picture boxes). Rows are found by name, never by position.
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* parent;  // the window's name or a picture box's
    int left, top, width, height;
    int stackFromTop;  // 0 = drawn over every sibling
    const char* text = "";
    const char* picture = nullptr;  // embedded picture name
    FontSpec font = {};
    std::optional<Rgb> textColour = {};
    std::optional<Rgb> backColour = {};
    Alignment alignment = Alignment::Left;
    bool wordWrap = false;
    bool border = true;
    bool takesFocus = false;
    const char* typedCharacters = nullptr;  // edit boxes: the only printable characters typing may add
    const char* accessibleName = nullptr;   // GBK, for screen readers; nothing visible
};

using Handler = void (*)();

struct EventBinding {
    const char* control;  // a control's name, or the window's for Created
    Event event;
    Handler handler;
};

struct WindowDescription {
    const char* name;
    const char* title;  // GBK
    int width, height;  // outer size, frame and caption included
    const char* icon;   // embedded picture name
    std::span<const ControlRow> controls;      // in creation order
    std::span<const EventBinding> bindings;
};

// ---- What the program provides ----------------------------------------------------------

// The program's window descriptions; StartPlatform reads and checks them.
std::span<const WindowDescription> ProgramWindowDescriptions();

// The program's entry routine, called once by the process start-up.
std::int32_t ProgramEntry();

// ---- Platform operations -------------------------------------------------------------------

// Brings the platform up; nothing may be allocated before it returns.
void StartPlatform();

// Puts a routine into the single exit-callback slot, replacing any routine already there.
void RegisterExitCallback(void (*routine)());

// Builds the named window with every program event held back, raises its Created event, shows it.
void LoadWindow(const char* windowName);

// Dispatches events until the program's last window has been destroyed.
void RunEventLoop();

// A block of `bytes` bytes from the program's heap; failure is fatal.
void* AllocateMemory(std::size_t bytes);

// Returns a block to the heap; nullptr is ignored.
void FreeMemory(void* block);

// Shows the error box, then ends the process with exit code -1 without the exit callback.
[[noreturn]] void ReportFatalError(std::int32_t code, const char* messageGbk);

// The platform's exit step: holds events back for good, releases the window descriptions,
// calls the exit callback once and empties its slot, shuts the toolkit down.
void RunExitStep();

// ---- Controls ------------------------------------------------------------------------------

// A text block from the platform allocator, owned by whoever holds this; empty text is no block.
class OwnedText {
public:
    OwnedText() = default;
    explicit OwnedText(char* block) : block_(block) {}
    OwnedText(OwnedText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    OwnedText& operator=(OwnedText&& other) noexcept;
    OwnedText(const OwnedText&) = delete;
    OwnedText& operator=(const OwnedText&) = delete;
    ~OwnedText() { FreeMemory(block_); }

    // Never null: the empty text reads as "".
    const char* c_str() const { return block_ ? block_ : ""; }
    bool empty() const { return block_ == nullptr; }

private:
    char* block_ = nullptr;
};

// The control's current text as a new GBK block.
OwnedText ReadControlText(const char* control);

// Replaces the control's text with a copy of `gbk`. For an edit box the TextChanged event
// runs exactly once, synchronously, before this returns, even when the text is unchanged.
void WriteControlText(const char* control, const char* gbk);

// Hands a web address to the desktop's open action; returns without waiting, outcome ignored.
void OpenWebAddress(const char* address);
