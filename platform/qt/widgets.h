// The kinds of control, built on Qt widgets. They hold looks only; what a click or an edit
// means is decided by the handlers bound in the window description.
#pragma once

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <future>

#include "platform/backend.h"

// The top-level window: fixed frame, Esc closes, outer size kept at the described size.
class MainWindowWidget : public QWidget {
public:
    MainWindowWidget(int outerWidth, int outerHeight);
    // Centres the frame on the screen and sizes the client area so the frame is the outer size.
    void PlaceOnScreen();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize outerSize_;
    bool frameKnown_ = false;  // the window manager's frame has been measured once
};

// A picture decoded away from the GUI thread while the window is built; converted for the
// screen the first time it is painted.
class PendingPicture {
public:
    PendingPicture() = default;
    explicit PendingPicture(std::shared_future<QImage> image) : image_(std::move(image)) {}
    // Null when there is no picture or it could not be decoded.
    const QPixmap& Get();

private:
    std::shared_future<QImage> image_;
    QPixmap pixmap_;
};

// A pane showing one picture at its natural size from the top-left corner.
class PictureBox : public QWidget {
public:
    PictureBox(QWidget* parent, PendingPicture picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PendingPicture picture_;
};

// A push button showing its picture (centred, cut to the face) or, without one, its text
// centred and wrapped.
class DescribedButton : public QPushButton {
public:
    DescribedButton(QWidget* parent, PendingPicture picture, bool wordWrap);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PendingPicture picture_;
    bool wordWrap_;
};

// A single-line box that drops typed characters its row does not allow.
class FilteredEdit : public QLineEdit {
public:
    FilteredEdit(QWidget* parent, const ControlRow& row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    const ControlRow& row_;
};

// Text drawn straight over whatever lies behind it.
class TransparentLabel : public QWidget {
public:
    TransparentLabel(QWidget* parent, bool wordWrap);
    QString text() const { return text_; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QString shown_;  // the text as drawn: CR LF line breaks as plain breaks
    bool wordWrap_;
};
