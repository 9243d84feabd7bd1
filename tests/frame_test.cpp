// The main window under a real X server and window manager: the frame, caption included, keeps
// the outer size, is centred on the screen, and cannot be resized.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "app/formation_table.h"
#include "platform/backend.h"
#include "platform/qt/qt_backend.h"
#include "platform/testing.h"
#include "ui/main_window.h"

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetPlatformForTesting();
        UsePlatformBackend(QtBackend());
        StartPlatform();
        FormationTable = NewTextArray(0);
        RegisterExitCallback([] { ReleaseTextArray(FormationTable); });
        LoadWindow(MAIN_WINDOW);
        QVERIFY(QTest::qWaitForWindowExposed(QtMainWindow()));
        // The window manager frames the window a moment after it is mapped.
        QTRY_VERIFY(!QtMainWindow()->windowHandle()->frameMargins().isNull());
    }
    void cleanup() {
        RunExitStep();
        ResetPlatformForTesting();
    }

    void theFrameHasTheOuterSizeAndIsCentred() {
        QWidget* window = QtMainWindow();
        const QRect screen = window->screen()->geometry();
        QCOMPARE(screen.size(), QSize(1024, 768));
        QTRY_COMPARE(window->frameGeometry(), QRect(242, 72, 540, 624));
        const QMargins frame = window->windowHandle()->frameMargins();
        QCOMPARE(window->size(), QSize(540 - frame.left() - frame.right(), 624 - frame.top() - frame.bottom()));
    }

    void theUserCannotResizeIt() {
        QWidget* window = QtMainWindow();
        QTRY_COMPARE(window->frameGeometry().size(), QSize(540, 624));
        const QSize client = window->size();
        window->windowHandle()->resize(client + QSize(100, 100));
        QTest::qWait(200);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), window->maximumSize());
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
