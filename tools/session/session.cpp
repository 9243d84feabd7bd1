// The real program, played by a scripted user once its window is up: typing, pasting through the
// clipboard, every button clicked with the mouse, Tab and Space, then Esc. Every event goes in
// through the window as the desktop would deliver it. Exits with the program's code when every
// check held, else with 1 after naming the checks that failed.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "addresses.h"
#include "platform/backend.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/widgets.h"

namespace {

int failures = 0;

void Check(bool holds, const char* step, const QString& what) {
    if (holds) return;
    ++failures;
    std::fprintf(stderr, "kestrune_session: %s: %s\n", step, qUtf8Printable(what));
}

QWidget* Control(const char* name) { return QtControl(name); }

QLineEdit* Field() { return qobject_cast<QLineEdit*>(Control("编辑框1")); }

QString FieldText() { return Field() != nullptr ? Field()->text() : QStringLiteral("<no field>"); }

QString LabelText() {
    auto* label = dynamic_cast<TransparentLabel*>(Control("透明标签2"));
    return label != nullptr ? label->text() : QStringLiteral("<no label>");
}

QString FocusName() {
    QWidget* focused = QApplication::focusWidget();
    return focused == nullptr ? QStringLiteral("<nothing>") : focused->objectName();
}

QWindow* Handle() { return QtMainWindow()->windowHandle(); }

// A left click at the control's centre, delivered to the window so it finds the widget there itself.
void Click(const char* step, const char* name) {
    QWidget* window = QtMainWindow();
    QWidget* control = Control(name);
    const QPoint at = control->mapTo(window, control->rect().center());
    Check(window->childAt(at) == control, step, QStringLiteral("the centre of %1 is covered").arg(name));
    QTest::mouseClick(Handle(), Qt::LeftButton, Qt::NoModifier, at);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Handle(), key, modifiers);
}

// Puts the caret in the field with a click and selects its whole text with Ctrl+A.
void SelectField(const char* step) {
    Click(step, "编辑框1");
    Key(Qt::Key_A, Qt::ControlModifier);
}

void ExpectField(const char* step, const QString& expected) {
    Check(FieldText() == expected, step, QStringLiteral("field shows \"%1\", expected \"%2\"").arg(FieldText(), expected));
}

void ExpectLabel(const char* step, const QString& expected) {
    Check(LabelText() == expected, step, QStringLiteral("result shows \"%1\", expected \"%2\"").arg(LabelText(), expected));
}

void ExpectFocus(const char* step, const char* name) {
    Check(FocusName() == QString::fromUtf8(name), step,
          QStringLiteral("focus on %1, expected %2").arg(FocusName(), QString::fromUtf8(name)));
}

// Takes the desktop's http and https addresses while the link buttons are clicked, so no browser starts.
class AddressRecorder : public QObject {
    Q_OBJECT
public:
    AddressRecorder() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~AddressRecorder() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    AddressRecorder(const AddressRecorder&) = delete;
    AddressRecorder& operator=(const AddressRecorder&) = delete;

    QStringList addresses;
public slots:
    void open(const QUrl& url) { addresses << url.toString(QUrl::FullyEncoded); }
};

struct Step {
    const char* name;
    std::function<void(const char* step)> run;
};

// The session, in order; each step leaves the window as the next one expects it.
const std::vector<Step>& Steps() {
    static const std::vector<Step> steps = {
        {"the focus starts on the lookup button", [](const char* step) { ExpectFocus(step, "按钮1"); }},
        {"typed 17 and looked up",
         [](const char* step) {
             SelectField(step);
             QTest::keyClicks(Field(), QStringLiteral("17"));
             ExpectField(step, QStringLiteral("17"));
             Click(step, "按钮1");
             ExpectLabel(step, QStringLiteral("魔步炮弓"));
         }},
        {"typed letters and signs are dropped",
         [](const char* step) {
             QTest::keyClicks(Field(), QStringLiteral("a.+ x"));
             ExpectField(step, QStringLiteral("17"));
         }},
        {"typed 91 becomes 90",
         [](const char* step) {
             SelectField(step);
             QTest::keyClicks(Field(), QStringLiteral("91"));
             ExpectField(step, QStringLiteral("90"));
         }},
        {"typed 0 becomes 1",
         [](const char* step) {
             SelectField(step);
             QTest::keyClicks(Field(), QStringLiteral("0"));
             ExpectField(step, QStringLiteral("1"));
         }},
        {"pasted full-width 17 and looked up",
         [](const char* step) {
             QGuiApplication::clipboard()->setText(QStringLiteral("１７"));
             SelectField(step);
             Key(Qt::Key_V, Qt::ControlModifier);
             ExpectField(step, QStringLiteral("１７"));
             ExpectLabel(step, QStringLiteral("魔步炮弓"));
             Click(step, "按钮1");
             ExpectLabel(step, QStringLiteral("魔步炮弓"));
         }},
        {"pasted 90.5 becomes 90",
         [](const char* step) {
             QGuiApplication::clipboard()->setText(QStringLiteral("90.5"));
             SelectField(step);
             Key(Qt::Key_V, Qt::ControlModifier);
             ExpectField(step, QStringLiteral("90"));
         }},
        {"next floor is held at 90, previous floor steps down",
         [](const char* step) {
             Click(step, "按钮3");
             ExpectField(step, QStringLiteral("90"));
             ExpectLabel(step, QStringLiteral("炮步弓魔"));
             Click(step, "按钮2");
             ExpectField(step, QStringLiteral("89"));
             ExpectLabel(step, QStringLiteral("魔歩炮弓"));
         }},
        {"erased with Backspace, then next floor shows floor 1",
         [](const char* step) {
             Click(step, "编辑框1");
             Key(Qt::Key_End);
             Key(Qt::Key_Backspace);
             Key(Qt::Key_Backspace);
             ExpectField(step, QString());
             Click(step, "按钮3");
             ExpectField(step, QStringLiteral("1"));
             ExpectLabel(step, QStringLiteral("魔炮弓步"));
         }},
        {"next floor steps up from 1",
         [](const char* step) {
             Click(step, "按钮3");
             ExpectField(step, QStringLiteral("2"));
             ExpectLabel(step, QStringLiteral("炮魔弓步"));
         }},
        {"each link button opens its address once and changes nothing",
         [](const char* step) {
             AddressRecorder recorder;
             for (const char* button : {"按钮4", "按钮5", "按钮6"}) Click(step, button);
             const QString host = QStringLiteral("http://" KESTRUNE_FORUM_HOST);
             const QStringList expected = {host + "/forum.php?gid=39", host + "/", host + "/forum-49-1.html"};
             Check(recorder.addresses == expected, step,
                   QStringLiteral("opened [%1]").arg(recorder.addresses.join(QStringLiteral(", "))));
             ExpectField(step, QStringLiteral("2"));
             ExpectLabel(step, QStringLiteral("炮魔弓步"));
         }},
        {"Tab goes round every control in order, Shift+Tab back",
         [](const char* step) {
             ExpectFocus(step, "按钮6");
             for (const char* next : {"按钮1", "按钮2", "按钮3", "编辑框1", "按钮4", "按钮5", "按钮6", "按钮1"}) {
                 Key(Qt::Key_Tab);
                 ExpectFocus(step, next);
             }
             for (const char* previous : {"按钮6", "按钮5", "按钮4", "编辑框1", "按钮3"}) {
                 Key(Qt::Key_Backtab, Qt::ShiftModifier);
                 ExpectFocus(step, previous);
             }
         }},
        {"Space presses the focused button, Enter nothing",
         [](const char* step) {
             Key(Qt::Key_Space);
             ExpectField(step, QStringLiteral("3"));
             ExpectLabel(step, QStringLiteral("弓炮歩魔"));
             Key(Qt::Key_Return);
             ExpectField(step, QStringLiteral("3"));
             ExpectFocus(step, "按钮3");
         }},
        {"Esc in the field closes the window",
         [](const char* step) {
             Key(Qt::Key_Tab);
             ExpectFocus(step, "编辑框1");
             Key(Qt::Key_Escape);
             const QWidget* window = QtMainWindow();
             Check(window == nullptr || !window->isVisible(), step, QStringLiteral("the window is still open"));
         }},
    };
    return steps;
}

bool IsOpen(const QPointer<QWidget>& window) {
    const QWidget* widget = window.data();
    return widget != nullptr && widget->isVisible();
}

void PlayTheUser() {
    const QPointer<QWidget> window = QtMainWindow();
    if (window.isNull() || !QTest::qWaitForWindowActive(window.data())) {
        Check(false, "start", QStringLiteral("the main window never became active"));
        if (QWidget* widget = window.data()) widget->close();
        return;
    }
    for (const Step& step : Steps()) {
        if (!IsOpen(window)) {
            Check(false, step.name, QStringLiteral("the window closed early"));
            return;
        }
        step.run(step.name);
    }
    // Never leave the program running when Esc did not close it.
    if (IsOpen(window)) window.data()->close();
}

// Runs once the program's event loop is up and its window shown.
void ScheduleTheUser() {
    QTimer::singleShot(0, QCoreApplication::instance(), PlayTheUser);
}
Q_COREAPP_STARTUP_FUNCTION(ScheduleTheUser)

}  // namespace

int main() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int code = RunProgramOn(QtBackend());
    if (failures != 0) {
        std::fprintf(stderr, "kestrune_session: %d check(s) failed\n", failures);
        return 1;
    }
    return code;
}

#include "session.moc"
