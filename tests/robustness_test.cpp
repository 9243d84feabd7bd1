// The real window fed bad and random input through the desktop's own event paths: huge pastes,
// characters GBK cannot hold, control characters, broken double-byte characters, keys as X11
// reports them, and ten thousand seeded random key presses, pastes and clicks. After every event:
// it took well under a second, every text a handler read was released, the floor field neither
// reads "0" nor holds a value above 90, and the result label shows a floor's formation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/formation_table.h"
#include "app/formations.h"
#include "app/program.h"
#include "platform/platform.h"
#include "platform/qt/qt_backend.h"
#include "platform/testing.h"
#include "tests/support/qt_driver.h"
#include "ui/floor_value.h"
#include "ui/main_window.h"

namespace {

// GBK formations the cases expect.
constexpr char Floor1[] = "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD";   // 魔炮弓步
constexpr char Floor2[] = "\xC5\xDA\xC4\xA7\xB9\xAD\xB2\xBD";   // 炮魔弓步
constexpr char Floor17[] = "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD";  // 魔步炮弓
constexpr char Floor90[] = "\xC5\xDA\xB2\xBD\xB9\xAD\xC4\xA7";  // 炮步弓魔

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
constexpr bool Sanitized = __has_feature(address_sanitizer);
#else
constexpr bool Sanitized = false;
#endif

// No single event may take this long. The slowest here, a 1 MB paste, takes about 50 ms; in a
// sanitized debug build a lookup that reads a 32767-character field 90 times takes about 500 ms.
constexpr double SlowestAllowedMs = Sanitized ? 4000 : 1000;

bool IsFormation(const char* gbk) {
    for (const char* formation : FloorFormations)
        if (std::strcmp(formation, gbk) == 0) return true;
    return false;
}

QWidget* Control(const char* name) { return QtControl(name); }

QLineEdit* Field() { return qobject_cast<QLineEdit*>(Control(编辑框1)); }

// The main window, loaded as the program loads it, and a user who reaches it only through the
// window's own event paths. Every action is timed and followed by the checks that always hold.
class RealWindow : public testing::Test {
protected:
    void SetUp() override {
        ResetPlatformForTesting();
        UsePlatformBackend(QtBackend());
        StartPlatform();
        FormationTable = NewTextArray(0);
        RegisterExitCallback(ReleaseFormationTable);
        LoadWindow(MAIN_WINDOW);
        ASSERT_TRUE(QTest::qWaitForWindowActive(QtMainWindow()));
        // A formation no case produces, so a lookup that finds nothing shows as Floor2.
        WriteControlText(透明标签2, Floor2);
        liveBlocks_ = CurrentAllocatorCounts().liveBlocks;
    }

    void TearDown() override {
        std::printf("slowest of %d events: %.2f ms (%s)\n", events_, slowestMs_, slowest_.c_str());
        RecordProperty("slowest_event_ms", std::to_string(slowestMs_));
        RunExitStep();
        ResetPlatformForTesting();
    }

    // Runs one user action and lets the window repaint, as one pass of the event loop would.
    void Do(const std::string& what, const std::function<void()>& action) {
        QElapsedTimer clock;
        clock.start();
        action();
        QCoreApplication::processEvents();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        ++events_;
        if (ms > slowestMs_) {
            slowestMs_ = ms;
            slowest_ = what;
        }
        EXPECT_LT(ms, SlowestAllowedMs) << what;
        ExpectSound(what);
    }

    void ExpectSound(const std::string& after) {
        ASSERT_NE(QtMainWindow(), nullptr) << "the window went away after " << after;
        EXPECT_EQ(CurrentAllocatorCounts().liveBlocks, liveBlocks_) << "blocks left live after " << after;
        const OwnedText field = ReadControlText(编辑框1);
        EXPECT_STRNE(field.c_str(), "0") << after;
        EXPECT_LE(ParseFloorText(field.c_str()) - FLOOR_COUNT, FLOOR_EPSILON)
            << "field above 90 after " << after << ": " << std::string(field.c_str()).substr(0, 40);
        const OwnedText label = ReadControlText(透明标签2);
        EXPECT_TRUE(IsFormation(label.c_str())) << "label is no formation after " << after;
    }

    static QWindow* Handle() { return QtMainWindow()->windowHandle(); }

    // A left click at a point of the window's client area; the window finds the widget there.
    static void ClickAt(QPoint at) { QTest::mouseClick(Handle(), Qt::LeftButton, Qt::NoModifier, at); }

    static void Click(const char* name) {
        QWidget* control = Control(name);
        ClickAt(control->mapTo(QtMainWindow(), control->rect().center()));
    }

    // A key as the X11 platform reports it: key code, modifiers and the text it carries.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QTest::sendKeyEvent(QTest::Click, Handle(), key, text, modifiers);
    }

    // Each character as the one key press that produces it: ASCII on its own key, anything else
    // (control codes, Chinese, emoji) as the keyboard layout or input method delivers it.
    static void Type(const QString& text) {
        for (const char32_t character : text.toUcs4()) {
            const bool ascii = character > 0x20 && character < 0x7F;
            const auto key = ascii ? static_cast<Qt::Key>(QChar::toUpper(character)) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, Field(), key, QString::fromUcs4(&character, 1), Qt::NoModifier);
        }
    }

    static void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        Key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    }

    // Focuses the field with a click and empties it with Ctrl+A and Backspace.
    void ClearField() {
        Do("clear the field", [] {
            Click(编辑框1);
            Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
            Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        });
    }

    std::int64_t liveBlocks_ = 0;
    int events_ = 0;
    double slowestMs_ = 0;
    std::string slowest_ = "nothing";
};

// ---- Hostile texts, one at a time ----------------------------------------------------------

enum class Entry { Typed, Pasted, Written };

struct HostileCase {
    const char* name;
    Entry entry;
    QString text;                       // typed or pasted
    const char* gbk;                    // written by the program
    std::optional<QString> fieldAfter;  // nothing: as entered, cut at the box's length limit
    const char* labelAfter;             // after a lookup; Floor2 when no floor is selected
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

QString WithUnit(QString text, char16_t unit) { return text + QChar(unit); }

std::vector<HostileCase> HostileCases() {
    constexpr int MB = 1 << 20;
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    return {
        {"pasted_1MB_of_digits", Entry::Pasted, QString(MB, u'7'), nullptr, QStringLiteral("90"), Floor90},
        {"pasted_1MB_of_zeros", Entry::Pasted, QString(MB, u'0'), nullptr, {}, Floor2},
        {"pasted_1MB_of_Chinese", Entry::Pasted, QString(MB / 2, u'层'), nullptr, {}, Floor2},
        {"pasted_1MB_number_17_with_a_long_fraction", Entry::Pasted, QStringLiteral("17.") + QString(MB - 3, u'0'), nullptr,
         {}, Floor17},
        {"pasted_17_then_an_emoji", Entry::Pasted, QStringLiteral("17") + emoji, nullptr, {}, Floor17},
        {"pasted_an_emoji_alone", Entry::Pasted, emoji, nullptr, {}, Floor2},
        {"pasted_a_CJK_extension_B_character_then_17", Entry::Pasted, QString::fromUcs4(U"\U0002000017"), nullptr, {},
         Floor2},
        {"pasted_17_ending_in_a_lone_high_surrogate", Entry::Pasted, WithUnit(QStringLiteral("17"), 0xD83D), nullptr, {},
         Floor17},
        {"pasted_0_ending_in_a_lone_high_surrogate_reads_0", Entry::Pasted, WithUnit(QStringLiteral("0"), 0xD83D),
         nullptr, QStringLiteral("1"), Floor1},
        {"pasted_99_ending_in_a_lone_high_surrogate", Entry::Pasted, WithUnit(QStringLiteral("99"), 0xD83D), nullptr,
         QStringLiteral("90"), Floor90},
        {"pasted_a_lone_low_surrogate_then_17", Entry::Pasted, WithUnit({}, 0xDE00) + QStringLiteral("17"), nullptr, {},
         Floor2},
        // 乪 is GBK 81 65 and 丏 is 81 44: a reader that splits them sees "1e5" and "1D5".
        {"pasted_a_double_byte_whose_trail_byte_is_e", Entry::Pasted, QStringLiteral("1乪5"), nullptr, {}, Floor1},
        {"pasted_a_double_byte_whose_trail_byte_is_D", Entry::Pasted, QStringLiteral("1丏5"), nullptr, {}, Floor1},
        // The only characters with a single GBK byte above 7F: € is 80, U+F8F5 is FF.
        {"pasted_17_then_the_single_byte_80", Entry::Pasted, QStringLiteral("17€"), nullptr, {}, Floor17},
        {"pasted_17_then_the_single_byte_FF", Entry::Pasted, WithUnit(QStringLiteral("17"), 0xF8F5), nullptr, {},
         Floor17},
        {"pasted_tab_17_newline", Entry::Pasted, QStringLiteral("\t17\n"), nullptr, {}, Floor17},
        {"pasted_escape_bell_delete_then_17", Entry::Pasted, QStringLiteral("\x1b\a\x7f" "17"), nullptr, {}, Floor2},
        {"pasted_1_NUL_7_reads_as_1", Entry::Pasted, QString::fromUtf16(u"1\u00007", 3), nullptr, {}, Floor1},
        {"pasted_0_NUL_9_reads_as_0", Entry::Pasted, QString::fromUtf16(u"0\u00009", 3), nullptr, QStringLiteral("1"),
         Floor1},
        {"typed_control_characters_change_nothing", Entry::Typed, QStringLiteral("1\x01\x02\x07\x1f" "7"), nullptr,
         QStringLiteral("17"), Floor17},
        {"typed_Chinese_an_emoji_and_letters_are_dropped", Entry::Typed, QStringLiteral("1层") + emoji + QStringLiteral("a7"),
         nullptr, QStringLiteral("17"), Floor17},
        {"written_17_ending_in_a_lone_lead_byte", Entry::Written, {}, "17\x81", QStringLiteral("17"), Floor17},
        {"written_0_ending_in_a_lone_lead_byte", Entry::Written, {}, "0\x81", QStringLiteral("1"), Floor1},
    };
}

class HostileInput : public RealWindow, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileInput, IsTakenWithoutHarmAndLooksUpAsAFloorNumber) {
    const HostileCase& c = GetParam();
    ClearField();
    switch (c.entry) {
        case Entry::Typed:
            Do("type", [&] { Type(c.text); });
            break;
        case Entry::Pasted:
            Do("paste", [&] { Paste(c.text); });
            break;
        case Entry::Written:
            Do("write", [&] { WriteControlText(编辑框1, c.gbk); });
            break;
    }
    ASSERT_FALSE(HasFatalFailure());
    const QString expected = c.fieldAfter.value_or(c.text.left(Field()->maxLength()));
    EXPECT_TRUE(Field()->text() == expected) << "field: " << Field()->text().left(40).toStdString();
    Do("look up", [] { Click(按钮1); });
    EXPECT_STREQ(ReadControlText(透明标签2).c_str(), c.labelAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileInput, testing::ValuesIn(HostileCases()),
                         [](const testing::TestParamInfo<HostileCase>& param) { return std::string(param.param.name); });

// ---- Editing keys as X11 reports them -----------------------------------------------------

// X11 gives Delete the text DEL (7F), Backspace BS and Ctrl+letter shortcuts their control
// codes; the field's character filter must let every one of them edit.
TEST_F(RealWindow, EditingKeysWorkWithTheTextX11GivesThem) {
    struct EditingKey {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        int caret;  // in "17"; -1 selects the whole text
        const char* fieldAfter;
    };
    const EditingKey keys[] = {
        {"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", 0, "7"},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", 2, "1"},
        {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "\b", 2, ""},
        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "\x18", -1, ""},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, "\x16", 0, "-17"},
    };
    for (const EditingKey& key : keys) {
        SCOPED_TRACE(key.name);
        Do("write 17", [] { WriteControlText(编辑框1, "17"); });
        Click(编辑框1);
        if (key.caret < 0) Field()->selectAll();
        else Field()->setCursorPosition(key.caret);
        QGuiApplication::clipboard()->setText(QStringLiteral("-"));
        Do(key.name, [&] { Key(key.key, key.modifiers, QString::fromLatin1(key.text)); });
        EXPECT_EQ(Field()->text().toStdString(), key.fieldAfter);
    }
}

// ---- Ten thousand random events -----------------------------------------------------------

struct RandomKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};

// Everything but Esc, which would end the session: typing, editing, shortcuts, focus keys.
const RandomKey RandomKeys[] = {
    {Qt::Key_0, {}, "0"}, {Qt::Key_1, {}, "1"}, {Qt::Key_2, {}, "2"}, {Qt::Key_3, {}, "3"}, {Qt::Key_4, {}, "4"},
    {Qt::Key_5, {}, "5"}, {Qt::Key_6, {}, "6"}, {Qt::Key_7, {}, "7"}, {Qt::Key_8, {}, "8"}, {Qt::Key_9, {}, "9"},
    {Qt::Key_Minus, {}, "-"}, {Qt::Key_Period, {}, "."}, {Qt::Key_Plus, Qt::ShiftModifier, "+"},
    {Qt::Key_E, {}, "e"}, {Qt::Key_Space, {}, " "},
    {Qt::Key_Backspace, {}, "\b"}, {Qt::Key_Delete, {}, "\x7f"}, {Qt::Key_Left, {}, ""}, {Qt::Key_Right, {}, ""},
    {Qt::Key_Home, {}, ""}, {Qt::Key_End, {}, ""}, {Qt::Key_Up, {}, ""}, {Qt::Key_Down, {}, ""},
    {Qt::Key_Left, Qt::ShiftModifier, ""}, {Qt::Key_Home, Qt::ShiftModifier, ""},
    {Qt::Key_A, Qt::ControlModifier, "\x01"}, {Qt::Key_C, Qt::ControlModifier, "\x03"},
    {Qt::Key_X, Qt::ControlModifier, "\x18"}, {Qt::Key_V, Qt::ControlModifier, "\x16"},
    {Qt::Key_Z, Qt::ControlModifier, "\x1a"}, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a"},
    {Qt::Key_Y, Qt::ControlModifier, "\x19"}, {Qt::Key_Backspace, Qt::ControlModifier, "\b"},
    {Qt::Key_Tab, {}, "\t"}, {Qt::Key_Backtab, Qt::ShiftModifier, ""}, {Qt::Key_Return, {}, "\r"},
    {Qt::Key_Enter, Qt::KeypadModifier, "\r"}, {Qt::Key_F1, {}, ""}, {Qt::Key_Insert, {}, ""},
};

// Texts worth pasting: edges of the floor range, numbers the reader must not trip on, and
// characters GBK cannot hold.
QString PastedText(std::mt19937& random) {
    static const QString pool[] = {
        QStringLiteral("17"), QStringLiteral("90.5"), QStringLiteral("90.00000001"), QStringLiteral("1e400"),
        QStringLiteral("-1e12"), QStringLiteral("0"), QStringLiteral("00"), QStringLiteral("-0"),
        QStringLiteral("0.5"), QStringLiteral("１７"), QStringLiteral("０"), QStringLiteral("  17"),
        QStringLiteral("17abc"), QStringLiteral("1d1"), QString(), QStringLiteral("-"), QStringLiteral("abc"),
        QStringLiteral("2147483648"), QStringLiteral("-2147483649"), QStringLiteral("1乪5"),
        QString::fromUcs4(U"\U0001F600"), QString::fromUcs4(U"\U00020000"), QString::fromUtf16(u"0\u00009", 3),
        QStringLiteral("\t\n"), QString(4000, u'9'), QStringLiteral("0.") + QString(3000, u'0') + QStringLiteral("1e3010"),
    };
    std::uniform_int_distribution<int> kind(0, 9);
    switch (kind(random)) {
        case 0: {
            // Random UTF-16 code units, lone surrogates and control codes included.
            QString text;
            const int length = std::uniform_int_distribution<int>(1, 8)(random);
            for (int i = 0; i < length; ++i)
                text += QChar(static_cast<char16_t>(std::uniform_int_distribution<int>(0, 0xFFFF)(random)));
            return text;
        }
        case 1:
        case 2: {
            // A number-like text from the characters the reader knows.
            static const char16_t alphabet[] = u"0123456789-+.eEdD ０１９．";
            QString text;
            const int length = std::uniform_int_distribution<int>(1, 12)(random);
            for (int i = 0; i < length; ++i)
                text += QChar(alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 2)(random)]);
            return text;
        }
        default:
            return pool[std::uniform_int_distribution<std::size_t>(0, std::size(pool) - 1)(random)];
    }
}

TEST_F(RealWindow, TenThousandRandomEventsKeepTheWindowSound) {
    constexpr unsigned Seed = 20240917;
    constexpr int Events = 10000;
    std::mt19937 random(Seed);
    const char* const targets[] = {按钮1, 按钮2, 按钮3, 编辑框1, 按钮4, 按钮5, 按钮6};
    std::vector<std::unique_ptr<QSignalSpy>> linkClicks;
    for (const char* link : {按钮4, 按钮5, 按钮6})
        linkClicks.push_back(std::make_unique<QSignalSpy>(qobject_cast<QPushButton*>(Control(link)), &QPushButton::clicked));
    const std::size_t openedBefore = test_window::QtDriver().openedAddresses().size();
    const QSize client = QtMainWindow()->size();

    // The run must reach the program, not just the window: count the texts it leaves behind.
    int labelChanges = 0;
    int fieldChanges = 0;
    std::string label = ReadControlText(透明标签2).c_str();
    std::string field = ReadControlText(编辑框1).c_str();
    const auto countChanges = [&] {
        const std::string labelNow = ReadControlText(透明标签2).c_str();
        const std::string fieldNow = ReadControlText(编辑框1).c_str();
        labelChanges += labelNow != label;
        fieldChanges += fieldNow != field;
        label = labelNow;
        field = fieldNow;
    };

    for (int i = 0; i < Events && !HasFailure(); ++i) {
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        std::string what = "event " + std::to_string(i) + " (seed " + std::to_string(Seed) + "): ";
        if (roll < 60) {
            const RandomKey& key = RandomKeys[std::uniform_int_distribution<std::size_t>(0, std::size(RandomKeys) - 1)(random)];
            what += "key " + QKeySequence(key.key | key.modifiers).toString().toStdString();
            Do(what, [&] { Key(key.key, key.modifiers, QString::fromLatin1(key.text)); });
        } else if (roll < 75) {
            const QString text = PastedText(random);
            const bool intoField = std::uniform_int_distribution<int>(0, 1)(random) == 1;
            what += "paste " + text.left(20).toStdString() + (intoField ? " into the field" : " wherever the focus is");
            Do(what, [&] {
                if (intoField) Click(编辑框1);
                Paste(text);
            });
        } else if (roll < 92) {
            const char* target = targets[std::uniform_int_distribution<std::size_t>(0, std::size(targets) - 1)(random)];
            what += std::string("click ") + target;
            Do(what, [&] { Click(target); });
        } else {
            const QPoint at(std::uniform_int_distribution<int>(0, client.width() - 1)(random),
                            std::uniform_int_distribution<int>(0, client.height() - 1)(random));
            what += "click at " + std::to_string(at.x()) + "," + std::to_string(at.y());
            Do(what, [&] { ClickAt(at); });
        }
        countChanges();
    }
    std::printf("the label changed %d times, the field %d times\n", labelChanges, fieldChanges);
    EXPECT_GT(labelChanges, Events / 100);
    EXPECT_GT(fieldChanges, Events / 10);

    // Every activation of a link button went to the desktop once, and only through the recorder.
    qsizetype activations = 0;
    for (const auto& spy : linkClicks) activations += spy->count();
    EXPECT_GT(activations, 0);
    EXPECT_EQ(test_window::QtDriver().openedAddresses().size() - openedBefore, static_cast<std::size_t>(activations));
}

}  // namespace
