#pragma once
// A push button whose face the program paints: the platform keeps focus,
// keyboard activation and click generation, the subclass draws the face and
// decides which points of the button a mouse press may hit.

#include "widgets/Accessible.h"

#include <QPushButton>

class TvxPictureCButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    explicit TvxPictureCButton(QWidget* parent = nullptr);

    // True while the pointer is over the button (also while a press is held).
    bool MouseInside() const { return m_mouseInside; }

    // 0 none, 1 OK, 2 Cancel: ends the window's dialog after each click.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    // Tab reaches the button (the default); a click focuses it either way.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool on);

    // Whether the focus, if the button has it, came from the keyboard: the
    // face shows a focus mark only then.
    bool KeyboardFocused() const { return m_keyboardFocus.On(); }

    // Paints the whole face; pressed is the platform's pushed state.
    virtual void PaintButton(QPainter& painter, bool pressed);
    // Whether a press at the client point (x, y) belongs to the button.
    virtual bool HitTest(int x, int y) const;

signals:
    // A quick second press. Without a listener it counts as one more press,
    // so two quick clicks give two clicks.
    void doubleClicked();

protected:
    // False: the platform draws a plain push button instead of PaintButton.
    virtual bool OwnerDrawn() const { return true; }

    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetMouseInside(bool inside);
    void HandModalResult();

    bool m_mouseInside = false;
    bool m_tabStop = true;
    int m_modalResult = 0;
    TvxKeyboardFocus m_keyboardFocus;
};
