// Renders the real main window offscreen to a PNG: kestrune_screenshot OUTPUT.png [FLOOR]
// With FLOOR, the floor is typed into the box and looked up first.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "platform/backend.h"
#include "platform/qt/qt_backend.h"

namespace {

QString output;
QString floorText;

void GrabOnceShown() {
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        QWidget* window = QtMainWindow();
        if (window == nullptr) return;
        if (!floorText.isEmpty()) {
            qobject_cast<QLineEdit*>(QtControl("编辑框1"))->setText(floorText);
            qobject_cast<QPushButton*>(QtControl("按钮1"))->click();
        }
        if (!window->grab().save(output, "PNG")) std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        window->close();
    });
}
Q_COREAPP_STARTUP_FUNCTION(GrabOnceShown)

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [FLOOR]\n", argv[0]);
        return 2;
    }
    output = QString::fromLocal8Bit(argv[1]);
    if (argc == 3) floorText = QString::fromLocal8Bit(argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunProgramOn(QtBackend());
}
