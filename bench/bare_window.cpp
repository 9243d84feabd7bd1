// The yardstick: a bare Qt Widgets window of the main window's size with one label.
#include <QApplication>
#include <QLabel>

#include "bench/first_frame.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallFirstFrameProbe();
    QWidget window;
    window.resize(540, 624);
    QLabel label(QStringLiteral("Hello"), &window);
    label.move(20, 20);
    window.show();
    return QApplication::exec();
}
