#include "widgets/ModalDialog.h"

#include "platform/CaptionButtons.h"
#include "platform/DesktopShell.h"

#include "widgets/Look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace {

bool g_sessionEnded = false;

// The frames the window manager drew, by kind of frame; null while none was
// seen. Until the manager has framed a window Qt cannot tell how thick its
// frame is; a dialog placed with the frame of the last one of its kind lands
// where it belongs at once.
QMargins g_knownFrames[3];

QMargins framedMargins(const QWidget* w) {
    return Shell::FrameOf(w ? w->windowHandle() : nullptr);
}

// The keys that answer a box: Enter and Esc.
bool answersABox(int key) {
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Watches every modal window of the application, the standard boxes
// included. One that got minimised comes back: a window manager offers
// minimise on the standard boxes too, or iconifies a box with its owner,
// and nothing visible could bring a box back while it blocks its owner.
// And a key that is held down answers no box: its repeats would close each
// box as it opens, so that a question is never seen and a confirmation is
// lost. A key stays down when whatever pressed it never saw its window
// again: a remote-control tool whose key-up met a box that was gone, say.
constexpr const char* kShownAt = "tarvellShownAt";
// Key repeats come 2 to 30 times a second; a key-down after a longer pause
// is a new press (its key-up went to a window that was gone).
constexpr qint64 kRepeatGapMs = 500;

class ModalsInView : public QObject {
public:
    explicit ModalsInView(QObject* parent) : QObject(parent) { m_clock.start(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                dialog->setProperty(kShownAt, m_clock.elapsed());
            break;
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (answersABox(key->key()) && !key->isAutoRepeat()) {
                Run& run = m_runs[key->key()];
                run.down = false;
                run.released = key->timestamp();
            }
            break;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget || !answersABox(key->key()))
                break;
            // Not every server marks its repeats. Some send each as a key-up
            // and a key-down of the same moment, some as key-downs alone: a
            // press like that continues the run of a key held down. A run
            // that began before a box opened is no answer to it.
            const qint64 now = m_clock.elapsed();
            Run& run = m_runs[key->key()];
            const bool repeat = key->isAutoRepeat() ||
                                (run.down && now - run.last < kRepeatGapMs) ||
                                (run.released != 0 && run.released == key->timestamp());
            if (!repeat)
                run.start = now;
            run.down = true;
            run.last = now;
            auto* dialog = qobject_cast<QDialog*>(widget->window());
            if (dialog && dialog->isModal() && repeat &&
                run.start < dialog->property(kShownAt).toLongLong())
                return true;
            break;
        }
        default:
            break;
        }
        if (event->type() == QEvent::WindowStateChange) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isModal() && dialog->isVisible() && dialog->isMinimized()) {
                QPointer<QDialog> target(dialog);
                QTimer::singleShot(0, this, [target] {
                    if (target && target->isMinimized())
                        TvxModalDialog::BringBack(target);
                });
            }
        }
        return false;
    }

private:
    struct Run {
        qint64 start = -1;    // when the key went down
        qint64 last = -1;     // its latest press or repeat
        bool down = false;    // no key-up since
        quint64 released = 0; // the moment of the last key-up, as the server tells it
    };
    QElapsedTimer m_clock;
    QHash<int, Run> m_runs;
};

// The modal windows that are up, the one on top first.
QList<QDialog*> openModals() {
    QList<QDialog*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w);
            dialog && dialog->isVisible() && dialog->isModal())
            open.append(dialog);
    if (auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        top && open.removeOne(top))
        open.prepend(top);
    return open;
}

} // namespace

TvxModalDialog::TvxModalDialog(QWidget* parent, TvxFrame frame) : QDialog(parent), m_frame(frame) {
    ApplyFrame();
    setFont(Look::BaseFont(12));
    SetBackground(Look::DialogBackground());
    setAutoFillBackground(true);
    setSizeGripEnabled(false);
}

int TvxModalDialog::ShowModal() {
    if (g_sessionEnded)
        return mrNone;
    return exec();
}

void TvxModalDialog::EndSession() {
    g_sessionEnded = true;
    // Every open dialog ends as cancelled, so whoever waits for one sees
    // no confirmation of anything.
    for (QDialog* dialog : openModals()) {
        if (qobject_cast<QMessageBox*>(dialog))
            dialog->done(QMessageBox::Cancel);
        else
            dialog->done(mrCancel);
    }
    LeaveEventLoops();
}

void TvxModalDialog::LeaveEventLoops() {
    // Not quit(): it does nothing before the main loop runs (start-up's
    // dialogs run before it), and a window that refuses to close vetoes it.
    // exit() leaves every loop that is running; with none running it would
    // make the next one return at once, so it is kept for when one runs.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void TvxModalDialog::GuardModals() {
    static QPointer<QObject> filter;
    if (filter || !qApp)
        return;
    filter = new ModalsInView(qApp);
    qApp->installEventFilter(filter);
}

void TvxModalDialog::SetSessionEnded(bool ended) {
    g_sessionEnded = ended;
}

bool TvxModalDialog::SessionEnded() {
    return g_sessionEnded;
}

void TvxModalDialog::SetModalResult(int modalResult) {
    if (modalResult == mrNone) {
        setResult(mrNone);
        return;
    }
    done(modalResult);
}

void TvxModalDialog::SetBackground(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void TvxModalDialog::SetFrame(TvxFrame frame) {
    if (m_frame == frame)
        return;
    const QSize client = size();
    m_frame = frame;
    ApplyFrame();
    SetClientSize(client.width(), client.height());
}

void TvxModalDialog::ApplyFrame() {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (m_frame) {
    case TvxFrame::ToolWindow:
        flags |= Qt::Tool;
        break;
    case TvxFrame::Dialog:
        flags |= Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case TvxFrame::Sizeable:
        flags |= Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint;
        break;
    }
    setWindowFlags(flags);
}

void TvxModalDialog::SetOuterGeometry(const QRect& outer) {
    m_outer = outer;
    m_screenCentred = false;
    Place(ExpectedFrame());
}

void TvxModalDialog::SetClientSize(int width, int height) {
    if (m_frame == TvxFrame::Sizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(width, height);
    } else {
        setFixedSize(width, height);
    }
}

void TvxModalDialog::reject() {
    // Every way of leaving without an answer (close box, Alt+F4) means Cancel.
    done(mrCancel);
}

void TvxModalDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Esc reach the window only when no button claimed them as
    // its default or cancel key; then they must not end the dialog, or a
    // stray key would answer a question the user has not read.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods == Qt::NoModifier) {
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void TvxModalDialog::closeEvent(QCloseEvent* event) {
    // A window without caption buttons is answered through its own buttons
    // only; a window manager that still offers a close must not skip the
    // question (or throw away what the user typed).
    if (m_frame == TvxFrame::ToolWindow && isVisible()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TvxModalDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (QWindow* handle = windowHandle())
            handle->installEventFilter(this);
        // Exactly the buttons the frame has, before the window is mapped.
        if (m_frame != TvxFrame::Sizeable)
            AskForCaptionButtons(this, m_frame == TvxFrame::ToolWindow
                                           ? TvxCaptionButtons::None
                                           : TvxCaptionButtons::CloseBox);
        // A dialog that opens with nothing focused keeps the focus on itself:
        // otherwise Qt hands it to the first control Tab would reach, and a
        // stray Space or Enter would press a button the user never chose nor
        // sees marked. The first Tab moves on from here.
        if (!focusWidget())
            setFocus(Qt::OtherFocusReason);
        m_placing = true;
        Place(ExpectedFrame());
        // The manager frames the window after it is mapped; look again then.
        QTimer::singleShot(0, this, &TvxModalDialog::CheckFrame);
    }
    QDialog::showEvent(event);
}

QRect TvxModalDialog::CentredGeometry(const QRect& screen, const QSize& client,
                                      const QMargins& frame) {
    const QSize outer = client.grownBy(frame);
    const QPoint outerTopLeft(screen.x() + (screen.width() - outer.width()) / 2,
                              screen.y() + (screen.height() - outer.height()) / 2);
    return QRect(outerTopLeft + QPoint(frame.left(), frame.top()), client);
}

QMargins TvxModalDialog::KnownFrame(TvxFrame frame) {
    return g_knownFrames[int(frame)];
}

QMargins TvxModalDialog::ExpectedFrame() const {
    const QMargins own = framedMargins(this);
    if (!own.isNull())
        return own;
    const QMargins known = KnownFrame(m_frame);
    if (!known.isNull())
        return known;
    // Never seen a frame of this kind: the owner's is the nearest guess.
    return parentWidget() ? framedMargins(parentWidget()->window()) : QMargins();
}

void TvxModalDialog::Place(const QMargins& frame) {
    m_placedWith = frame;
    QSize client = size();
    // The outer size is the designed one: the frame is counted as the main
    // window counts it, in the pixels the layout is drawn in.
    if (m_outer.isValid())
        client = m_outer.size() - Shell::FrameForLayout(frame, devicePixelRatioF());
    if (!Shell::PositionsKnown()) {
        // The compositor places the window; a position asked for is ignored
        // at best, and the reported ones are made up.
        if (m_outer.isValid())
            SetClientSize(client.width(), client.height());
        return;
    }
    if (m_screenCentred) {
        const QScreen* screen = parentWidget() ? parentWidget()->window()->screen() : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            setGeometry(CentredGeometry(screen->geometry(), client, frame));
    } else if (m_outer.isValid()) {
        setGeometry(QRect(m_outer.topLeft() + QPoint(frame.left(), frame.top()), client));
    }
    if (m_outer.isValid())
        SetClientSize(client.width(), client.height());
}

void TvxModalDialog::CheckFrame() {
    if (!m_placing || !isVisible())
        return;
    const QMargins real = framedMargins(this);
    if (real.isNull())
        return; // not framed (yet, or by no manager at all)
    m_placing = false;
    g_knownFrames[int(m_frame)] = real;
    if (real != m_placedWith)
        Place(real);
}

void TvxModalDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Minimised, by a caption button or by a window manager that offers it
    // whatever the caption asks for: nothing visible could bring a modal
    // dialog back (its owner and the tray are blocked while it is up), so it
    // comes back at once.
    if (event->type() == QEvent::WindowStateChange && isVisible() && isMinimized())
        QTimer::singleShot(0, this, &TvxModalDialog::ComeBack);
}

bool TvxModalDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && m_placing) {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Move ||
            event->type() == QEvent::Resize)
            QTimer::singleShot(0, this, &TvxModalDialog::CheckFrame);
    }
    return QDialog::eventFilter(watched, event);
}

void TvxModalDialog::ComeBack() {
    if (isMinimized())
        BringBack(this);
}

bool TvxModalDialog::BringBack(QWidget* window) {
    if (!window || !window->isVisible())
        return false;
    // Only the minimised flag goes: a maximised editor comes back maximised.
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->raise();
    window->activateWindow();
    return true;
}
