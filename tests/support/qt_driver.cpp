#include "tests/support/qt_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QUrl>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "platform/qt/gbk.h"
#include "platform/qt/qt_backend.h"

namespace test_window {
namespace {

// Takes the desktop's http and https addresses so no test ever starts a browser.
class AddressRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<std::string> addresses;
public slots:
    void open(const QUrl& url) { addresses.push_back(url.toString(QUrl::FullyEncoded).toStdString()); }
};
AddressRecorder* recorder = nullptr;

void RecordAddresses() {
    if (QCoreApplication::instance() == nullptr) return;
    recorder = new AddressRecorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), recorder, "open");
    // Runs as the application goes, before its children: the handlers go before the recorder.
    qAddPostRoutine([] {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        delete std::exchange(recorder, nullptr);
    });
}
Q_COREAPP_STARTUP_FUNCTION(RecordAddresses)

bool dismissing = false;
std::vector<std::function<void()>> pendingActions;

void SchedulePendingActions() {
    if (QCoreApplication::instance() == nullptr) return;
    for (auto& action : std::exchange(pendingActions, {})) QTimer::singleShot(0, QCoreApplication::instance(), action);
}
Q_COREAPP_STARTUP_FUNCTION(SchedulePendingActions)

void WatchForFatalBox() {
    if (!dismissing || QCoreApplication::instance() == nullptr) return;
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        const bool onlyOk = box->buttons().size() == 1 && box->button(QMessageBox::Ok) != nullptr;
        std::fprintf(stderr, "[%s] %s\nicon=%s buttons=%s owner=%s\n", ToGbk(box->windowTitle()).c_str(),
                     ToGbk(box->text()).c_str(), box->icon() == QMessageBox::Critical ? "error" : "other",
                     onlyOk ? "ok" : "other", box->parentWidget() == nullptr ? "none" : "some");
        std::fflush(stderr);
        box->button(QMessageBox::Ok)->click();
    });
    timer->start(10);
}
Q_COREAPP_STARTUP_FUNCTION(WatchForFatalBox)

const Driver qtDriver{
    .name = "Qt",
    .backend = QtBackend,
    .windowShown = [] { return QtMainWindow() != nullptr && QtMainWindow()->isVisible(); },
    .types =
        [](const char* control, const std::string& gbk) {
            auto* edit = qobject_cast<QLineEdit*>(QtControl(control));
            edit->end(false);
            QTest::keyClicks(edit, FromGbk(gbk.c_str()));
        },
    .pastes =
        [](const char* control, const std::string& gbk) {
            auto* edit = qobject_cast<QLineEdit*>(QtControl(control));
            QGuiApplication::clipboard()->setText(FromGbk(gbk.c_str()));
            edit->selectAll();
            QTest::keySequence(edit, QKeySequence::Paste);
        },
    .clicks = [](const char* control) { QTest::mouseClick(QtControl(control), Qt::LeftButton); },
    .clears =
        [](const char* control) {
            auto* edit = qobject_cast<QLineEdit*>(QtControl(control));
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        },
    .closesWindow =
        [] {
            if (QtMainWindow() == nullptr) return;
            QtMainWindow()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
    .duringLoop = [](std::function<void()> action) { QTimer::singleShot(0, QCoreApplication::instance(), action); },
    .openedAddresses = [] { return recorder == nullptr ? std::vector<std::string>{} : recorder->addresses; },
};

}  // namespace

const Driver& QtDriver() { return qtDriver; }

void OnceTheLoopRuns(std::function<void()> action) {
    pendingActions.push_back(std::move(action));
    SchedulePendingActions();
}

void DismissFatalBoxes() {
    dismissing = true;
    WatchForFatalBox();
}

}  // namespace test_window

#include "qt_driver.moc"
