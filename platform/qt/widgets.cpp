#include "platform/qt/widgets.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>
#include <QWindow>
#include <cmath>

MainWindowWidget::MainWindowWidget(int outerWidth, int outerHeight) : outerSize_(outerWidth, outerHeight) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setFixedSize(outerSize_);
}

void MainWindowWidget::PlaceOnScreen() {
    QMargins frame;
    if (QWindow* handle = windowHandle()) frame = handle->frameMargins();
    setFixedSize(outerSize_.width() - frame.left() - frame.right(), outerSize_.height() - frame.top() - frame.bottom());
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect whole = screen->geometry();
    // move() places the frame's top-left corner; integer division truncates as wanted.
    move(whole.x() + (whole.width() - outerSize_.width()) / 2, whole.y() + (whole.height() - outerSize_.height()) / 2);
}

bool MainWindowWidget::event(QEvent* event) {
    // The frame is known only once the window manager has framed the window: then the client
    // area shrinks so the frame keeps the outer size, once, before the user can move it.
    const bool mayHaveFramed = event->type() == QEvent::Show || event->type() == QEvent::Move ||
                               event->type() == QEvent::Resize || event->type() == QEvent::Expose;
    if (mayHaveFramed && !frameKnown_ && windowHandle() != nullptr && !windowHandle()->frameMargins().isNull()) {
        frameKnown_ = true;
        PlaceOnScreen();
    }
    return QWidget::event(event);
}

void MainWindowWidget::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

const QPixmap& PendingPicture::Get() {
    if (image_.valid()) {
        pixmap_ = QPixmap::fromImage(image_.get());
        image_ = {};
    }
    return pixmap_;
}

PictureBox::PictureBox(QWidget* parent, PendingPicture picture) : QWidget(parent), picture_(std::move(picture)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPixmap& picture = picture_.Get();
    const QRect covered = picture.isNull() ? QRect() : QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize());
    const QRegion uncovered = QRegion(event->rect()) - covered;
    for (const QRect& rect : uncovered) painter.fillRect(rect, palette().color(QPalette::Button));
    if (!picture.isNull()) painter.drawPixmap(event->rect(), picture, event->rect());
}

DescribedButton::DescribedButton(QWidget* parent, PendingPicture picture, bool wordWrap)
    : QPushButton(parent), picture_(std::move(picture)), wordWrap_(wordWrap) {
    setAutoDefault(false);
    setDefault(false);
}

void DescribedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = {};
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setClipRect(face);
    const QPixmap& picture = picture_.Get();
    if (!picture.isNull()) {
        QRect placed(QPoint(0, 0), picture.deviceIndependentSize().toSize());
        placed.moveLeft((width() - placed.width()) / 2);
        placed.moveTop((height() - placed.height()) / 2);
        painter.drawPixmap(placed.topLeft(), picture);
        return;
    }
    const int flags = Qt::AlignCenter | (wordWrap_ ? Qt::TextWordWrap : 0);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(face, flags, text());
}

void DescribedButton::keyPressEvent(QKeyEvent* event) {
    // Qt moves the focus with Left and Right between plain buttons; here only Tab moves it.
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            event->ignore();
            return;
        default:
            QPushButton::keyPressEvent(event);
    }
}

FilteredEdit::FilteredEdit(QWidget* parent, const ControlRow& row) : QLineEdit(parent), row_(row) {}

void FilteredEdit::keyPressEvent(QKeyEvent* event) {
    // Shortcuts (Ctrl+V, Ctrl+Z ...) and editing keys arrive with control characters or none.
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // X11 gives the Delete key the text DEL (7F): an editing key, not a typed character.
    if (!shortcut && event->key() != Qt::Key_Delete) {
        for (const QChar character : typed) {
            if (!AcceptsTypedCharacter(row_, character.unicode())) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Committed text from an input method is typing too: keep only what may be typed.
    const QString committed = event->commitString();
    QString kept;
    for (const QChar character : committed)
        if (AcceptsTypedCharacter(row_, character.unicode())) kept += character;
    if (kept == committed) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

TransparentLabel::TransparentLabel(QWidget* parent, bool wordWrap) : QWidget(parent), wordWrap_(wordWrap) {
    setFocusPolicy(Qt::NoFocus);
}

void TransparentLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    shown_ = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Not opaque: Qt repaints the parent's picture behind the rectangle before the new text.
    update();
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    if (!wordWrap_) {
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown_);
        return;
    }
    // Lines follow one another at the character height plus a little, as the label's rectangle
    // was laid out for, rather than at the font's own (much taller) line spacing.
    const QFontMetricsF metrics(font());
    const qreal lineHeight = std::ceil(font().pixelSize() * 1.05);
    qreal y = 0;
    for (const QString& paragraph : shown_.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width());
            line.setPosition(QPointF(0, y + (lineHeight - metrics.height()) / 2));
            y += lineHeight;
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(0, 0));
        if (y > height()) break;
    }
}
