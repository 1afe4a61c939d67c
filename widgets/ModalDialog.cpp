#include "widgets/ModalDialog.h"

#include "widgets/Look.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TvxModalDialog::TvxModalDialog(QWidget* parent, TvxFrame frame) : QDialog(parent), m_frame(frame) {
    ApplyFrame();
    setFont(Look::BaseFont(12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Look::DialogBackground());
    setPalette(pal);
    setAutoFillBackground(true);
    setSizeGripEnabled(false);
}

int TvxModalDialog::ShowModal() {
    return exec();
}

void TvxModalDialog::SetModalResult(int modalResult) {
    if (modalResult == mrNone) {
        setResult(mrNone);
        return;
    }
    done(modalResult);
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
    if (m_screenCentred && !event->spontaneous()) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            const QSize outer = frameGeometry().size();
            move(area.x() + area.width() / 2 - outer.width() / 2,
                 area.y() + area.height() / 2 - outer.height() / 2);
        }
    }
    QDialog::showEvent(event);
}
