// The real main window, built by the Qt backend from its description: every widget against its
// row, focus and keys, the edit box's filter, repainting, pictures and their fallbacks.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cstring>

#include "app/formation_table.h"
#include "platform/backend.h"
#include "platform/qt/gbk.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/widgets.h"
#include "platform/testing.h"
#include "ui/main_window.h"

namespace {

// Collects the regions painted on one widget.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* watched) { watched->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// Lets every pending repaint happen.
void FlushRepaints() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}

const WindowDescription& MainDescription() { return ProgramWindowDescriptions()[0]; }

const ControlRow& RowOf(const char* name) {
    for (const ControlRow& row : MainDescription().controls)
        if (std::strcmp(row.name, name) == 0) return row;
    qFatal("no row %s", name);
}

QWidget* Control(const char* name) { return QtControl(name); }

QString TextOf(const char* name) { return FromGbk(ReadControlText(name).c_str()); }

// A window description with one picture box and one picture button whose pictures do not exist.
constexpr ControlRow BrokenPictureControls[] = {
    {.name = "box", .kind = ControlKind::PicBox, .parent = "broken", .left = 0, .top = 0, .width = 100, .height = 60, .stackFromTop = 1,
     .picture = "NoSuchPicture"},
    {.name = "button", .kind = ControlKind::Button, .parent = "broken", .left = 0, .top = 60, .width = 105, .height = 50, .stackFromTop = 0,
     .text = "\xB0\xB4\xC5\xA5", .picture = "NoSuchPicture", .takesFocus = true},  // 按钮
};
constexpr WindowDescription BrokenPictureWindow[] = {
    {.name = "broken", .title = "t", .width = 200, .height = 120, .icon = "NoSuchIcon", .controls = BrokenPictureControls, .bindings = {}},
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    void OpenWindow(std::span<const WindowDescription> windows = {}) {
        ResetPlatformForTesting();
        UsePlatformBackend(QtBackend());
        UseWindowDescriptionsForTesting(windows);
        StartPlatform();
        FormationTable = NewTextArray(0);
        RegisterExitCallback([] { ReleaseTextArray(FormationTable); });
        LoadWindow(windows.empty() ? MAIN_WINDOW : windows[0].name);
        QVERIFY(QTest::qWaitForWindowExposed(QtMainWindow()));
    }

private slots:
    void init() { OpenWindow(); }
    void cleanup() {
        RunExitStep();
        ResetPlatformForTesting();
        UseWindowDescriptionsForTesting({});
    }

    void everyWidgetMatchesItsRow_data() {
        QTest::addColumn<QString>("name");
        for (const ControlRow& row : MainDescription().controls) QTest::newRow(row.name) << QString::fromUtf8(row.name);
    }
    void everyWidgetMatchesItsRow() {
        QFETCH(QString, name);
        const QByteArray utf8 = name.toUtf8();
        const ControlRow& row = RowOf(utf8.constData());
        QWidget* widget = Control(utf8.constData());
        QVERIFY(widget != nullptr);

        switch (row.kind) {
            case ControlKind::PicBox: QVERIFY(dynamic_cast<PictureBox*>(widget)); break;
            case ControlKind::Button: QVERIFY(dynamic_cast<DescribedButton*>(widget)); break;
            case ControlKind::EditBox: QVERIFY(dynamic_cast<FilteredEdit*>(widget)); break;
            case ControlKind::TransLabel: QVERIFY(dynamic_cast<TransparentLabel*>(widget)); break;
        }
        QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(row.parent));
        QCOMPARE(widget->geometry(), QRect(row.left, row.top, row.width, row.height));
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isEnabled());

        // Stacking: Qt keeps siblings bottom first; the row counts from the top.
        QList<QWidget*> siblings = widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(siblings.size() - 1 - siblings.indexOf(widget), row.stackFromTop);

        QCOMPARE(QByteArray(ReadControlText(row.name).c_str()), QByteArray(row.text));
        QCOMPARE(widget->focusPolicy(), row.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
        QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);

        const QFont font = widget->font();
        if (row.font.pixelHeight > 0) QCOMPARE(font.pixelSize(), row.font.pixelHeight);
        QCOMPARE(font.weight(), static_cast<QFont::Weight>(row.font.weight));
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        // Whatever LANG says, the face chosen can show every character of the text.
        const QString text = FromGbk(row.text);
        const QFontMetrics metrics(font);
        for (const QChar character : text)
            if (character.unicode() > 0x2000) QVERIFY2(metrics.inFont(character), qPrintable(QString(character)));
        if (row.font.face != nullptr) QCOMPARE(font.families().first(), FromGbk(row.font.face));

        if (row.textColour) {
            const QColor expected(row.textColour->r, row.textColour->g, row.textColour->b);
            QCOMPARE(widget->palette().color(row.kind == ControlKind::EditBox ? QPalette::Text : QPalette::WindowText), expected);
        }
        if (row.backColour)
            QCOMPARE(widget->palette().color(QPalette::Base), QColor(row.backColour->r, row.backColour->g, row.backColour->b));
        if (row.accessibleName != nullptr) QCOMPARE(widget->accessibleName(), FromGbk(row.accessibleName));
    }

    void theWindowIsFixedCentredAndTitled() {
        QWidget* window = QtMainWindow();
        QCOMPARE(window->objectName(), QString::fromUtf8(MAIN_WINDOW));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("KestruneV2.0  By：")));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
        QCOMPARE(window->frameGeometry().size(), QSize(540, 624));
        const QRect screen = window->screen()->geometry();
        QCOMPARE(window->frameGeometry().topLeft(),
                 QPoint(screen.x() + (screen.width() - 540) / 2, screen.y() + (screen.height() - 624) / 2));
        const QIcon icon = window->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    }

    void theLinkButtonsTouchInOneRow() {
        QWidget* window = QtMainWindow();
        const auto inWindow = [&](const char* name) {
            QWidget* widget = Control(name);
            return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
        };
        QCOMPARE(inWindow(按钮6).x(), 42);
        QCOMPARE(inWindow(按钮6).right() + 1, 195);
        QCOMPARE(inWindow(按钮4).x(), 195);
        QCOMPARE(inWindow(按钮4).right() + 1, 344);
        QCOMPARE(inWindow(按钮5).x(), 344);
        QCOMPARE(inWindow(按钮5).right() + 1, 493);
        for (const char* name : {按钮4, 按钮5, 按钮6}) QCOMPARE(inWindow(name).y(), 454);
    }

    void focusStartsOnTheLookupButtonAndTabWrapsAround() {
        QVERIFY(QTest::qWaitForWindowActive(QtMainWindow()));
        QCOMPARE(QApplication::focusWidget(), Control(按钮1));
        const char* order[] = {按钮1, 按钮2, 按钮3, 编辑框1, 按钮4, 按钮5, 按钮6, 按钮1};
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Control(order[i]));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), Control(按钮6));
        // Arrow keys leave the focus where it is.
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), Control(按钮6));
        }
    }

    void focusReturnsToItsControlWhenTheWindowIsActivatedAgain() {
        QVERIFY(QTest::qWaitForWindowActive(QtMainWindow()));
        Control(编辑框1)->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QtMainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(QtMainWindow()));
        QCOMPARE(QApplication::focusWidget(), Control(编辑框1));
    }

    void spacePressesTheFocusedButtonAndEnterOrF1DoNothing() {
        QVERIFY(QTest::qWaitForWindowActive(QtMainWindow()));
        qobject_cast<QLineEdit*>(Control(编辑框1))->setText(QStringLiteral("17"));  // no event: not a user edit
        for (const char* name : {按钮1, 编辑框1}) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F1}) {
                QTest::keyClick(Control(name), key);
                QCOMPARE(TextOf(透明标签2), QStringLiteral("魔炮弓步"));
            }
        }
        QVERIFY(QtMainWindow() != nullptr);
        QTest::keyClick(Control(按钮1), Qt::Key_Space);
        QCOMPARE(TextOf(透明标签2), QStringLiteral("魔步炮弓"));
    }

    void escClosesTheWindowFromAnyControlButNotWithModifiers() {
        QTest::keyClick(Control(编辑框1), Qt::Key_Escape, Qt::ControlModifier);
        QTest::keyClick(Control(按钮4), Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(QtMainWindow() != nullptr && QtMainWindow()->isVisible());
        QTest::keyClick(Control(编辑框1), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QtMainWindow() == nullptr);
    }

    void theEditBoxStartsWithItsCaretBeforeTheTextAndNothingSelected() {
        auto* edit = qobject_cast<QLineEdit*>(Control(编辑框1));
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(edit->cursorPosition(), 0);
        QVERIFY(!edit->hasSelectedText());
        QVERIFY(!edit->hasFrame());
        QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void aSelectionIsHiddenWhileTheWindowIsInactive() {
        auto* edit = qobject_cast<QLineEdit*>(Control(编辑框1));
        QVERIFY(QTest::qWaitForWindowActive(QtMainWindow()));
        edit->setFocus();
        edit->setText(QStringLiteral("17"));
        edit->selectAll();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(edit->hasSelectedText());
        // No pixel of the box takes a highlight colour the platform would draw a selection in.
        const QImage image = edit->grab().toImage();
        const QPalette platform = QApplication::palette();
        for (const QColor highlight : {platform.color(QPalette::Active, QPalette::Highlight),
                                       platform.color(QPalette::Inactive, QPalette::Highlight)})
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) QVERIFY(image.pixelColor(x, y) != highlight);
    }

    void anInputMethodCommitKeepsOnlyWhatMayBeTyped() {
        auto* edit = qobject_cast<QLineEdit*>(Control(编辑框1));
        edit->setFocus();
        edit->end(false);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("2a层-"));
        QCoreApplication::sendEvent(edit, &commit);
        QCOMPARE(edit->text(), QStringLiteral("12-"));
    }

    void editingShortcutsStillWork() {
        auto* edit = qobject_cast<QLineEdit*>(Control(编辑框1));
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("7"));
        QCOMPARE(edit->text(), QStringLiteral("17"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }

    void aNewLabelTextLeavesNoTraceOfTheOldOne() {
        QWidget* panel = Control(图片框2);
        const QRect area = Control(透明标签2)->geometry();
        WriteControlText(透明标签2, "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD");  // 魔步炮弓
        const QImage afterChange = panel->grab(area).toImage();
        // The same text written into a window that never showed another one.
        cleanup();
        OpenWindow();
        WriteControlText(透明标签2, "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD");  // 魔步炮弓
        WriteControlText(透明标签2, "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD");  // 魔炮弓步
        WriteControlText(透明标签2, "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD");  // 魔步炮弓
        QCOMPARE(Control(图片框2)->grab(area).toImage(), afterChange);
        // And the label really drew something over the panel.
        WriteControlText(透明标签2, "");
        QVERIFY(Control(图片框2)->grab(area).toImage() != afterChange);
    }

    void aLookupRepaintsOnlyTheResultAndTheButtonNotThePanel() {
        FlushRepaints();
        PaintRecorder panel(Control(图片框2));
        PaintRecorder backdrop(Control(图片框1));
        WriteControlText(透明标签2, "\xC4\xA7\xB2\xBD\xC5\xDA\xB9\xAD");  // 魔步炮弓
        FlushRepaints();
        QCOMPARE(panel.painted, QRegion(Control(透明标签2)->geometry()));
        QVERIFY(backdrop.painted.isEmpty());

        // A real click also repaints the button's own face, and nothing more.
        panel.painted = {};
        qobject_cast<QLineEdit*>(Control(编辑框1))->setText(QStringLiteral("3"));
        FlushRepaints();
        panel.painted = {};
        QTest::mouseClick(Control(按钮1), Qt::LeftButton);
        FlushRepaints();
        QCOMPARE(TextOf(透明标签2), QStringLiteral("弓炮歩魔"));
        const QRegion allowed = QRegion(Control(透明标签2)->geometry()) + Control(按钮1)->geometry();
        QVERIFY2((panel.painted - allowed).isEmpty(), "painted outside the result and the button");
        QVERIFY(panel.painted.intersects(Control(透明标签2)->geometry()));
    }

    void picturesThatCannotBeDecodedLeaveTheFaceColourAndAPlainTextButton() {
        cleanup();
        OpenWindow(BrokenPictureWindow);
        QWidget* box = Control("box");
        const QImage boxImage = box->grab().toImage();
        const QColor face = box->palette().color(QPalette::Button);
        for (int y = 0; y < boxImage.height(); y += 7)
            for (int x = 0; x < boxImage.width(); x += 7) QCOMPARE(boxImage.pixelColor(x, y), face);
        auto* button = qobject_cast<QPushButton*>(Control("button"));
        const QImage withText = button->grab().toImage();
        button->setText(QString());
        QVERIFY2(button->grab().toImage() != withText, "the fallback button shows its text");
    }

    void thePictureButtonsShowTheirPicturesNotTheirText() {
        auto* button = qobject_cast<QPushButton*>(Control(按钮2));
        const QImage withText = button->grab().toImage();
        button->setText(QStringLiteral("其他"));
        QCOMPARE(button->grab().toImage(), withText);
    }
};

QTEST_MAIN(MainWindowTest)
#include "window_test.moc"
