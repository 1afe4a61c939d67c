#pragma once
// The push button of every window: a face drawn entirely by the program (a
// two-colour gradient in a framed rectangle, flat while pressed), coloured by a
// shared colour set, with an optional icon, corner mark and grey rendering.

#include "widgets/Accessible.h"
#include "widgets/ParentColor.h"
#include "widgets/vxGradiClrs.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPainter;

// A plain list of icons a button can draw from. Buttons hold it by a guarded
// reference, so destroying the list leaves them without an icon.
class TvxIconList : public QObject {
    Q_OBJECT
public:
    explicit TvxIconList(QObject* owner = nullptr) : QObject(owner) {}

    int Add(const QPixmap& icon) {
        m_icons.append(icon);
        return int(m_icons.size()) - 1;
    }
    int Count() const { return int(m_icons.size()); }
    // An index out of range gives a null pixmap.
    QPixmap Icon(int index) const { return m_icons.value(index); }
    void Clear() { m_icons.clear(); }

private:
    QList<QPixmap> m_icons;
};

// What the face shows. Disabled wins over everything; pressed needs the
// pointer over the button while the mouse is held (or, with the pointer
// elsewhere, Space held), so a press dragged off the button looks normal.
enum class TvxGradiState { Normal, Pressed, Disabled };

class TvxGradiButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int CapX READ CapX WRITE SetCapX)
    Q_PROPERTY(int CapY READ CapY WRITE SetCapY)
    Q_PROPERTY(int IconX READ IconX WRITE SetIconX)
    Q_PROPERTY(int IconY READ IconY WRITE SetIconY)
    Q_PROPERTY(TvxGradiColors* Colors READ Colors WRITE SetColors)
    Q_PROPERTY(bool Grayed READ Grayed WRITE SetGrayed)
    Q_PROPERTY(TvxIconList* Images READ Images WRITE SetImages)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(bool Marked READ Marked WRITE SetMarked)
    Q_PROPERTY(bool VerticalGradi READ VerticalGradi WRITE SetVerticalGradi)
    Q_PROPERTY(bool DrawFocus READ DrawFocus WRITE SetDrawFocus)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool KeyboardReach READ KeyboardReach WRITE SetKeyboardReach)

public:
    // Indexes of the shared position setter.
    enum PosIndex { piCapX = 0, piCapY, piIconX, piIconY };

    explicit TvxGradiButton(QWidget* parent = nullptr);
    ~TvxGradiButton() override;

    int CapX() const { return m_pos[piCapX]; }
    int CapY() const { return m_pos[piCapY]; }
    int IconX() const { return m_pos[piIconX]; }
    int IconY() const { return m_pos[piIconY]; }
    // Repaints even when the value is unchanged.
    void SetPos(int index, int value);
    void SetCapX(int v) { SetPos(piCapX, v); }
    void SetCapY(int v) { SetPos(piCapY, v); }
    void SetIconX(int v) { SetPos(piIconX, v); }
    void SetIconY(int v) { SetPos(piIconY, v); }

    // Without a colour set the button draws nothing at all.
    TvxGradiColors* Colors() const { return m_colors.data(); }
    void SetColors(TvxGradiColors* set);

    bool Grayed() const { return m_grayed; }
    void SetGrayed(bool on);
    TvxIconList* Images() const { return m_images.data(); }
    void SetImages(TvxIconList* list);
    // Below 0: no icon.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    bool Marked() const { return m_marked; }
    void SetMarked(bool on);
    bool VerticalGradi() const { return m_verticalGradi; }
    void SetVerticalGradi(bool on);

    // Plain stored values: none of them changes the face by itself.
    bool DrawFocus() const { return m_drawFocus; }
    void SetDrawFocus(bool on) { m_drawFocus = on; }
    // 0 none, 1 OK, 2 Cancel: handed to the window after each click.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }
    // Enter clicks a default button and draws its frame in clrDefault.
    bool Default() const { return m_default; }
    void SetDefault(bool on) { m_default = on; }
    // Esc clicks a cancel button.
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool on) { m_cancel = on; }

    // The first "&" marks the accelerator and is not drawn.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    // The background left visible at the rounded corners. By default it
    // follows the parent's background; setting a colour ends that.
    QColor Color() const;
    void SetColor(const QColor& color);
    bool ParentColor() const { return m_color.Follows(); }
    void SetParentColor(bool on);

    // Gradient buttons take no keyboard focus unless told so, which keeps
    // Enter and Esc with the window rather than with a focused button.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool on);

    // Reachable by Tab and Shift+Tab though not a tab stop: a click still
    // leaves the focus where it was, so the look under the mouse is the
    // designed one, while a keyboard user can move to the button, sees a
    // dotted focus mark on it and presses it with Space or Enter.
    bool KeyboardReach() const { return m_keyboardReach; }
    void SetKeyboardReach(bool on);
    // Whether the focus, if the button has it, came from the keyboard.
    bool KeyboardFocused() const { return m_keyboardFocus.On(); }

    // The colour set in effect now: the focus set while focused, then the
    // mouse-over set of that while the pointer is over the button.
    TvxGradiColors* CurrentColors() const;
    TvxGradiState VisualState() const;

    // The whole face, width × height of the button, as it looks in the given
    // state (with the current focus and pointer). A null image when the
    // button has no colour set.
    QImage Render(TvxGradiState state) const;
    QImage Render() const { return Render(VisualState()); }
    // Draws the face for the current state at (0, 0) in one block.
    void PaintButton(QPainter& painter) const;

    // Performs a click: clicked() first, then the modal result goes to the
    // window (unless a handler withheld it).
    virtual void Click();
    // The press an assistive technology asks for: the pressed face at once,
    // the click a moment later from the event loop. Ignored while the button
    // is already held down, hidden or disabled.
    void AnimateClick();
    // For a clicked() handler whose work failed: this click then hands no
    // modal result, so the window stays open.
    void WithholdModalResult() { m_withhold = true; }

signals:
    void clicked();
    void doubleClicked();
    // Emitted after clicked() when the button carries a modal result. A
    // window that ends itself in its own way listens here; a QDialog that does
    // not is ended by the button with done(result).
    void modalResultChosen(int result);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetMouseInside(bool inside);
    void UpdateFocusPolicy();
    void WatchWindow();
    bool HandleWindowKey(QKeyEvent* event);
    bool CanTakeFocus() const;
    // Press, click and release in one go, as for Enter, Esc and accelerators.
    void KeyboardClick();
    // Clicks the button shown pressed, then shows it released; false when
    // the click took the button away.
    bool ClickAndRelease();
    QChar Accelerator() const;

    int m_pos[4] = {-1, -1, 5, 5};
    QPointer<TvxGradiColors> m_colors;
    QPointer<TvxIconList> m_images;
    int m_imageIndex = -1;
    bool m_grayed = false;
    bool m_marked = false;
    bool m_verticalGradi = false;
    bool m_drawFocus = false;
    int m_modalResult = 0;
    bool m_default = false;
    bool m_cancel = false;
    QString m_caption;
    TvxParentColor m_color;
    bool m_tabStop = false;
    bool m_keyboardReach = false;
    TvxKeyboardFocus m_keyboardFocus;
    bool m_animating = false;

    bool m_mouseInside = false;
    bool m_mousePressed = false;
    bool m_keyPressed = false;
    // The press began on the button: a release over it is a click.
    bool m_captured = false;
    bool m_withhold = false;
    QPointer<QWidget> m_watchedWindow;
    int m_shortcutId = 0;
};
