#include "widgets/vxPicCBtn.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

TvxPictureCButton::TvxPictureCButton(QWidget* parent) : QPushButton(parent) {
    // The face is painted in one block, never over a cleared background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoDefault(false);
    // Focus by mouse is given by hand, after the hit test: a press outside
    // the picture's shape must not even move the focus.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &TvxPictureCButton::HandModalResult);
}

void TvxPictureCButton::SetTabStop(bool on) {
    m_tabStop = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TvxPictureCButton::PaintButton(QPainter&, bool) {}

bool TvxPictureCButton::HitTest(int, int) const {
    return true;
}

void TvxPictureCButton::paintEvent(QPaintEvent* event) {
    if (!OwnerDrawn()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    PaintButton(p, isDown());
}

bool TvxPictureCButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos) && HitTest(pos.x(), pos.y());
}

void TvxPictureCButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        if (!HitTest(pos.x(), pos.y())) {
            // Taken, so that nothing under the button acts on it either.
            event->accept();
            return;
        }
        SetMouseInside(true);
        setFocus(Qt::MouseFocusReason);
    }
    QPushButton::mousePressEvent(event);
}

void TvxPictureCButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        isSignalConnected(QMetaMethod::fromSignal(&TvxPictureCButton::doubleClicked))) {
        const QPoint pos = event->position().toPoint();
        if (HitTest(pos.x(), pos.y()))
            emit doubleClicked();
        event->accept();
        return;
    }
    mousePressEvent(event);
}

void TvxPictureCButton::mouseMoveEvent(QMouseEvent* event) {
    // While a press is held no enter or leave arrives: the crossing is
    // worked out here, so a press dragged off shows the normal face.
    if (event->buttons() & Qt::LeftButton)
        SetMouseInside(rect().contains(event->position().toPoint()));
    QPushButton::mouseMoveEvent(event);
}

void TvxPictureCButton::enterEvent(QEnterEvent* event) {
    SetMouseInside(true);
    QPushButton::enterEvent(event);
}

void TvxPictureCButton::leaveEvent(QEvent* event) {
    SetMouseInside(false);
    QPushButton::leaveEvent(event);
}

void TvxPictureCButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        update();
    QPushButton::changeEvent(event);
}

void TvxPictureCButton::keyPressEvent(QKeyEvent* event) {
    // Not a default button, so the platform leaves Enter to the window; a
    // keyboard user who moved to the button expects Enter to press it, as
    // Space does.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && mods == Qt::NoModifier && hasFocus() && !event->isAutoRepeat()) {
        event->accept();
        if (!isDown())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TvxPictureCButton::focusInEvent(QFocusEvent* event) {
    if (m_keyboardFocus.FocusIn(*event))
        update();
    QPushButton::focusInEvent(event);
}

void TvxPictureCButton::focusOutEvent(QFocusEvent* event) {
    if (m_keyboardFocus.FocusOut(*event))
        update();
    QPushButton::focusOutEvent(event);
}

void TvxPictureCButton::SetMouseInside(bool inside) {
    if (m_mouseInside == inside)
        return;
    m_mouseInside = inside;
    update();
}

void TvxPictureCButton::HandModalResult() {
    if (m_modalResult == 0)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
        if (dialog->isVisible())
            dialog->done(m_modalResult);
        else
            dialog->setResult(m_modalResult);
    }
}
