// The Qt backend: starts the application, builds windows from their descriptions, moves texts
// between GBK and widgets, and reports what the user does to the platform core.
#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QStyleFactory>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <map>
#include <memory>
#include <system_error>

#include "assets/embedded.h"
#include "platform/qt/gbk.h"
#include "platform/qt/jpeg.h"
#include "platform/qt/widgets.h"

namespace {

// Qt keeps references to these for the application's whole life.
int argumentCount = 1;
char programName[] = "kestrune";
char* arguments[] = {programName, nullptr};

std::unique_ptr<QApplication> ownApplication;  // unless one already exists (a test's)
QPointer<MainWindowWidget> mainWindow;
std::map<std::string, QWidget*, std::less<>> controls;
bool inEventLoop = false;

// Every unnamed face must show Chinese, whatever LANG says; named faces fall back the same way.
QStringList FontFamilies(const char* faceGbk) {
    QStringList families;
    const QString face = FromGbk(faceGbk);
    if (!face.isEmpty()) families << face;
    if (face == QStringLiteral("楷体")) families << QStringLiteral("KaiTi") << QStringLiteral("AR PL UKai CN");
    families << QStringLiteral("Noto Sans CJK SC");
    return families;
}

QFont FontOf(const FontSpec& spec) {
    QFont font;
    font.setFamilies(FontFamilies(spec.face));
    if (spec.pixelHeight > 0) font.setPixelSize(spec.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    font.setStyleStrategy(QFont::PreferQuality);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QColor ColourOf(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

// Pictures of the window being built, by name.
using DecodingPictures = std::map<std::string, std::shared_future<QImage>, std::less<>>;

// Decodes each picture of the window on a thread of its own while the GUI thread goes on
// building controls and loading fonts.
DecodingPictures StartDecodingPictures(const WindowDescription& description) {
    DecodingPictures decodingPictures;
    for (const ControlRow& row : description.controls) {
        if (row.picture == nullptr || decodingPictures.contains(row.picture)) continue;
        const std::span<const unsigned char> bytes = FindEmbeddedFile(row.picture);
        auto decode = [bytes] { return DecodeJpeg(bytes); };
        std::shared_future<QImage> image;
        try {
            image = std::async(std::launch::async, decode).share();
        } catch (const std::system_error&) {
            image = std::async(std::launch::deferred, decode).share();  // no thread to be had
        }
        decodingPictures.emplace(row.picture, std::move(image));
    }
    return decodingPictures;
}

PendingPicture PictureOf(const DecodingPictures& pictures, const char* name) {
    const auto found = name == nullptr ? pictures.end() : pictures.find(name);
    return found == pictures.end() ? PendingPicture() : PendingPicture(found->second);
}

QIcon IconOf(const char* name) {
    QImage image;
    const std::span<const unsigned char> bytes = FindEmbeddedFile(name == nullptr ? "" : name);
    if (!bytes.empty()) image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    if (image.isNull()) return {};
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image));
    // The large icon is the small one doubled, pixel for pixel, so it stays crisp.
    icon.addPixmap(QPixmap::fromImage(image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}

QWidget* CreateControl(const ControlRow& row, QWidget* parent, const DecodingPictures& pictures) {
    QWidget* widget = nullptr;
    switch (row.kind) {
        case ControlKind::PicBox:
            widget = new PictureBox(parent, PictureOf(pictures, row.picture));
            break;
        case ControlKind::Button: {
            auto* button = new DescribedButton(parent, PictureOf(pictures, row.picture), row.wordWrap);
            button->setText(FromGbk(row.text));
            const char* name = row.name;
            QObject::connect(button, &QPushButton::clicked, [name] { DeliverEvent(name, Event::Clicked); });
            widget = button;
            break;
        }
        case ControlKind::EditBox: {
            auto* edit = new FilteredEdit(parent, row);
            edit->setText(FromGbk(row.text));
            edit->setCursorPosition(0);
            edit->setFrame(row.border);
            edit->setAlignment(row.alignment == Alignment::Centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            const char* name = row.name;
            // Every change the user makes; the program's own writes are reported by the core.
            QObject::connect(edit, &QLineEdit::textEdited, [name] { DeliverEvent(name, Event::TextChanged); });
            widget = edit;
            break;
        }
        case ControlKind::TransLabel: {
            auto* label = new TransparentLabel(parent, row.wordWrap);
            label->setText(FromGbk(row.text));
            widget = label;
            break;
        }
    }
    widget->setObjectName(QString::fromUtf8(row.name));
    widget->setGeometry(row.left, row.top, row.width, row.height);
    widget->setFont(FontOf(row.font));
    widget->setFocusPolicy(row.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    widget->setCursor(Qt::ArrowCursor);
    if (row.accessibleName != nullptr) widget->setAccessibleName(FromGbk(row.accessibleName));
    QPalette palette = widget->palette();
    if (row.textColour) {
        palette.setColor(QPalette::WindowText, ColourOf(*row.textColour));
        palette.setColor(QPalette::Text, ColourOf(*row.textColour));
        palette.setColor(QPalette::ButtonText, ColourOf(*row.textColour));
    }
    if (row.backColour) {
        palette.setColor(QPalette::Base, ColourOf(*row.backColour));
        palette.setColor(QPalette::Window, ColourOf(*row.backColour));
    }
    if (row.kind == ControlKind::EditBox) {
        // A selection shows only while the box has the focus: Qt drops it when the focus moves
        // on, and in an inactive window it is drawn in the box's own colours.
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
    }
    widget->setPalette(palette);
    return widget;
}

// Raises each parent's children from the bottom one up, so the last raised is on top.
void ApplyStacking(const WindowDescription& description) {
    std::multimap<int, const ControlRow*, std::greater<>> fromBottom;
    for (const ControlRow& row : description.controls) fromBottom.emplace(row.stackFromTop, &row);
    for (const auto& [place, row] : fromBottom) controls.at(row->name)->raise();
}

bool Start() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("kestrune: no display found; start it from a desktop session, or headless with xvfb-run\n", stderr);
        return false;
    }
    if (QApplication::instance() == nullptr) {
        ownApplication = std::make_unique<QApplication>(argumentCount, arguments);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        // Lets the desktop match the window to the installed launcher and its icon.
        QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Kestrune"));
        QFont font;
        font.setFamilies(FontFamilies(nullptr));
        QApplication::setFont(font);
    }
    return true;
}

bool CreateWindow(const WindowDescription& description) {
    if (QApplication::instance() == nullptr || mainWindow) return false;
    auto* window = new MainWindowWidget(description.width, description.height);
    window->setObjectName(QString::fromUtf8(description.name));
    window->setWindowTitle(FromGbk(description.title));
    window->setWindowIcon(IconOf(description.icon));
    mainWindow = window;
    controls.clear();
    QObject::connect(window, &QObject::destroyed, [] { controls.clear(); });

    const DecodingPictures pictures = StartDecodingPictures(description);
    QWidget* firstFocus = nullptr;
    QWidget* previousFocus = nullptr;
    for (const ControlRow& row : description.controls) {
        const auto parent = controls.find(row.parent);
        QWidget* widget = CreateControl(row, parent == controls.end() ? window : parent->second, pictures);
        controls.emplace(row.name, widget);
        if (row.takesFocus) {
            if (previousFocus != nullptr) QWidget::setTabOrder(previousFocus, widget);
            if (firstFocus == nullptr) firstFocus = widget;
            previousFocus = widget;
        }
    }
    ApplyStacking(description);
    for (const auto& [name, widget] : controls) widget->show();
    if (firstFocus != nullptr) firstFocus->setFocus(Qt::OtherFocusReason);
    window->PlaceOnScreen();
    return true;
}

void ShowWindow() {
    if (!mainWindow) return;
    mainWindow->show();
    mainWindow->activateWindow();
}

void RunLoop() {
    inEventLoop = true;
    QApplication::exec();
    inEventLoop = false;
    // The loop ends when the last window closes; its deferred deletion must not outlive the loop.
    delete mainWindow.data();
}

bool ReadText(const char* control, std::string& gbk) {
    QWidget* widget = QtControl(control);
    if (widget == nullptr) return false;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) gbk = ToGbk(edit->text());
    else if (auto* button = qobject_cast<QPushButton*>(widget)) gbk = ToGbk(button->text());
    else if (auto* label = dynamic_cast<TransparentLabel*>(widget)) gbk = ToGbk(label->text());
    else gbk.clear();
    return true;
}

void WriteText(const char* control, const char* gbk) {
    QWidget* widget = QtControl(control);
    if (widget == nullptr) return;
    const QString text = FromGbk(gbk);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text);  // emits no textEdited
    else if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(text);
    else if (auto* label = dynamic_cast<TransparentLabel*>(widget)) label->setText(text);
}

void OpenAddress(const char* address) {
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(address), QUrl::StrictMode));
}

void ShowFatalBox(const char* caption, const char* text) {
    if (QApplication::instance() == nullptr) {
        std::fprintf(stderr, "%s\n", text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, FromGbk(caption), FromGbk(text), QMessageBox::Ok, nullptr);
    box.exec();
}

void Shutdown() {
    delete mainWindow.data();
    controls.clear();
    // Inside the loop (a fatal error from a handler) the application stays until the process ends.
    if (!inEventLoop) ownApplication.reset();
}

const PlatformBackend backend{
    .start = Start,
    .createWindow = CreateWindow,
    .showWindow = ShowWindow,
    .hasWindow = [] { return !mainWindow.isNull(); },
    .runEventLoop = RunLoop,
    .readText = ReadText,
    .writeText = WriteText,
    .openWebAddress = OpenAddress,
    .showFatalBox = ShowFatalBox,
    .shutdown = Shutdown,
};

}  // namespace

const PlatformBackend& QtBackend() { return backend; }

QWidget* QtMainWindow() { return mainWindow.data(); }

QWidget* QtControl(const char* name) {
    const auto found = controls.find(name);
    return found == controls.end() ? nullptr : found->second;
}
