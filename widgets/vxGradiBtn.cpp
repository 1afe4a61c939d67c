#include "widgets/vxGradiBtn.h"

#include "widgets/Accessible.h"

#include <QAccessible>
#include <QDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Pixel-exact strokes: the face is built from single-pixel lines whose ends
// must land exactly, which QPainter's pen geometry does not promise.
void hline(QImage& img, int x1, int x2, int y, QRgb rgb) {
    if (y < 0 || y >= img.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, img.width() - 1);
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = x1; x <= x2; ++x)
        row[x] = rgb;
}

void vline(QImage& img, int x, int y1, int y2, QRgb rgb) {
    if (x < 0 || x >= img.width())
        return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, img.height() - 1);
    for (int y = y1; y <= y2; ++y)
        reinterpret_cast<QRgb*>(img.scanLine(y))[x] = rgb;
}

QRgb opaque(const QColor& c) {
    return c.rgb() | 0xFF000000u;
}

// The outer frame with its corner pixels left out, which is what rounding a
// rectangle by 2 × 2 amounts to at this size.
void roundFrame(QImage& img, QRgb rgb) {
    const int w = img.width();
    const int h = img.height();
    hline(img, 1, w - 2, 0, rgb);
    hline(img, 1, w - 2, h - 1, rgb);
    vline(img, 0, 1, h - 2, rgb);
    vline(img, w - 1, 1, h - 2, rgb);
}

// One colour component's step, rounded to single precision the way the
// face has always been computed; the division itself is done wider first,
// so the float is the correctly rounded quotient.
float gradientStep(int from, int to, int length) {
    return static_cast<float>(static_cast<long double>(to - from) / length);
}

// The whole part of c + step, cut towards zero, kept inside a byte. The sum is
// taken in double so that a tiny negative step still pulls c below the integer.
int advance(int c, float step) {
    const double sum = static_cast<double>(c) + static_cast<double>(step);
    return std::clamp(static_cast<int>(std::trunc(sum)), 0, 255);
}

void gradientFace(QImage& img, const TvxGradiColors& set, bool isDefault, bool vertical) {
    const int w = img.width();
    const int h = img.height();
    const QRgb border = opaque(isDefault ? set.clrDefault() : set.clrOutBorder());
    const QRgb bright = opaque(isDefault ? set.clrDefault() : set.clrOutBright());
    const QRgb shadow = opaque(isDefault ? set.clrDefault() : set.clrOutShadow());

    const QColor begin = set.clrBegin().toRgb();
    const QColor end = set.clrEnd().toRgb();
    const int length = vertical ? w : h;
    const float stepR = gradientStep(begin.red(), end.red(), length);
    const float stepG = gradientStep(begin.green(), end.green(), length);
    const float stepB = gradientStep(begin.blue(), end.blue(), length);
    int r = begin.red();
    int g = begin.green();
    int b = begin.blue();

    const int first = vertical ? 2 : 1;
    const int last = vertical ? w - 2 : h - 2;
    for (int i = first; i <= last; ++i) {
        const QRgb rgb = qRgb(r, g, b);
        if (vertical)
            vline(img, i, 0, h - 1, rgb);
        else
            hline(img, 0, w - 1, i, rgb);
        r = advance(r, stepR);
        g = advance(g, stepG);
        b = advance(b, stepB);
    }

    roundFrame(img, border);
    hline(img, 1, w - 2, 1, bright);
    vline(img, 1, 1, h - 2, bright);
    vline(img, w - 2, 1, h - 2, shadow);
    hline(img, 1, w - 2, h - 2, shadow);
}

void pressedFace(QImage& img, const TvxGradiColors& set) {
    const int w = img.width();
    const int h = img.height();
    roundFrame(img, opaque(set.clrOutBorder()));
    const QRgb fill = opaque(set.clrDown());
    for (int y = 2; y <= h - 3; ++y)
        hline(img, 2, w - 3, y, fill);
    const QRgb outline = opaque(set.clrDefault());
    hline(img, 1, w - 2, 1, outline);
    hline(img, 1, w - 2, h - 2, outline);
    vline(img, 1, 1, h - 2, outline);
    vline(img, w - 2, 1, h - 2, outline);
}

// Weights 12/64/32 sum to 108, so the divisor decides how light the result
// can get: 120 keeps white near white, 170 dims the whole button.
void toGrey(QImage& img, int divisor) {
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = row[x];
            const int grey = (12 * qBlue(p) + 64 * qGreen(p) + 32 * qRed(p)) / divisor;
            row[x] = qRgb(grey, grey, grey);
        }
    }
}

// A right triangle in the top-right corner, corners (w - 11, 3), (w - 4, 3)
// and (w - 4, 10): every corner and edge pixel is outline, the rest fill.
void cornerMark(QImage& img, QRgb outline, QRgb face) {
    const int right = img.width() - 4;
    const int left = img.width() - 11;
    hline(img, left, right, 3, outline);
    for (int y = 4; y <= 10; ++y) {
        const int slant = left + (y - 3);
        hline(img, slant + 1, right - 1, y, face);
        hline(img, slant, slant, y, outline);
        hline(img, right, right, y, outline);
    }
}

QString withoutFirstAmpersand(const QString& caption) {
    QString text = caption;
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        text.remove(amp, 1);
    return text;
}

} // namespace

TvxGradiButton::TvxGradiButton(QWidget* parent) : QWidget(parent) {
    resize(75, 25);
    setFocusPolicy(Qt::NoFocus);
    Accessible::Install();
    WatchWindow();
}

TvxGradiButton::~TvxGradiButton() {
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
}

void TvxGradiButton::SetPos(int index, int value) {
    if (index < 0 || index > piIconY)
        return;
    m_pos[index] = value;
    update();
}

void TvxGradiButton::SetColors(TvxGradiColors* set) {
    if (m_colors == set)
        return;
    if (m_colors)
        disconnect(m_colors, &QObject::destroyed, this, nullptr);
    m_colors = set;
    if (set)
        connect(set, &QObject::destroyed, this, [this] { update(); });
    update();
}

void TvxGradiButton::SetGrayed(bool on) {
    if (m_grayed == on)
        return;
    m_grayed = on;
    update();
}

void TvxGradiButton::SetImages(TvxIconList* list) {
    if (m_images != list) {
        if (m_images)
            disconnect(m_images, &QObject::destroyed, this, nullptr);
        if (list)
            connect(list, &QObject::destroyed, this, [this] { update(); });
    }
    m_images = list;
    update();
}

void TvxGradiButton::SetImageIndex(int index) {
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    update();
}

void TvxGradiButton::SetMarked(bool on) {
    if (m_marked == on)
        return;
    m_marked = on;
    update();
}

void TvxGradiButton::SetVerticalGradi(bool on) {
    if (m_verticalGradi == on)
        return;
    m_verticalGradi = on;
    update();
}

void TvxGradiButton::SetCaption(const QString& caption) {
    m_caption = caption;
    // Alt plus the accelerator must win over a focused edit, which would
    // otherwise take the letter as typing; the shortcut map sees it first.
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    m_shortcutId = mnemonic.isEmpty() ? 0 : grabShortcut(mnemonic);
    update();
    // The caption is the button's name to a screen reader unless one was set.
    if (accessibleName().isEmpty() && Accessible::Listened()) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        Accessible::Tell(renamed);
    }
}

QColor TvxGradiButton::Color() const {
    return m_color.Of(this);
}

void TvxGradiButton::SetColor(const QColor& color) {
    m_color.Set(color);
    update();
}

void TvxGradiButton::SetParentColor(bool on) {
    if (m_color.SetFollows(on, this))
        update();
}

void TvxGradiButton::SetTabStop(bool on) {
    m_tabStop = on;
    UpdateFocusPolicy();
}

void TvxGradiButton::SetKeyboardReach(bool on) {
    m_keyboardReach = on;
    UpdateFocusPolicy();
}

void TvxGradiButton::UpdateFocusPolicy() {
    // Reached by Tab only: a click never moves the focus here, so the face a
    // mouse user sees stays the one without focus.
    setFocusPolicy(m_tabStop ? Qt::StrongFocus : m_keyboardReach ? Qt::TabFocus : Qt::NoFocus);
}

TvxGradiColors* TvxGradiButton::CurrentColors() const {
    TvxGradiColors* set = m_colors.data();
    if (!set)
        return nullptr;
    if (hasFocus() && set->ColorsFocus())
        set = set->ColorsFocus();
    if (m_mouseInside && set->ColorsMouseIn())
        set = set->ColorsMouseIn();
    return set;
}

TvxGradiState TvxGradiButton::VisualState() const {
    if (!isEnabled())
        return TvxGradiState::Disabled;
    if ((m_mouseInside && m_mousePressed) || (!m_mouseInside && m_keyPressed))
        return TvxGradiState::Pressed;
    return TvxGradiState::Normal;
}

QImage TvxGradiButton::Render(TvxGradiState state) const {
    const TvxGradiColors* set = CurrentColors();
    const int w = width();
    const int h = height();
    if (!set || w <= 0 || h <= 0)
        return QImage();

    QImage img(w, h, QImage::Format_RGB32);
    img.fill(opaque(Color()));

    const bool pressed = state == TvxGradiState::Pressed;
    if (pressed)
        pressedFace(img, *set);
    else
        gradientFace(img, *set, m_default, m_verticalGradi);

    const QColor textColor = pressed                            ? set->clrDownText()
                             : state == TvxGradiState::Disabled ? set->clrMarkBorder()
                                                                : set->clrText();
    // Without icons the caption follows the press by a pixel; with them the
    // icon would stay put and the two would drift apart.
    const int pressShift = (pressed && !m_images) ? 1 : 0;
    const QRect centredRect(1 + pressShift, 1, w - 1, h - 1);

    {
        QPainter p(&img);
        p.setFont(font());

        if (m_images && m_imageIndex >= 0) {
            const QPixmap icon = m_images->Icon(m_imageIndex);
            if (!icon.isNull())
                p.drawPixmap(IconX(), IconY(), icon);
        }

        const QString text = withoutFirstAmpersand(m_caption);
        p.setPen(textColor);
        p.setBackgroundMode(Qt::TransparentMode);
        if (CapX() < 0) {
            p.drawText(centredRect, Qt::AlignCenter | Qt::TextSingleLine, text);
        } else {
            const int x = CapX() + pressShift;
            const int ascent = QFontMetrics(p.font(), &img).ascent();
            const qsizetype bar = text.indexOf(QLatin1Char('|'));
            if (bar < 0) {
                p.drawText(QPoint(x, CapY() + ascent), text);
            } else {
                p.drawText(QPoint(x, CapY() + ascent), text.left(bar));
                p.drawText(QPoint(x, CapY() + 13 + ascent), text.mid(bar + 1));
            }
        }
    }

    if (m_marked)
        cornerMark(img, opaque(set->clrMarkBorder()), opaque(set->clrMarkFace()));

    if (state == TvxGradiState::Disabled || m_grayed)
        toGrey(img, m_grayed ? 170 : 120);

    if (hasFocus() && (m_drawFocus || m_keyboardFocus.On())) {
        if (CapX() < 0)
            Accessible::DrawFocusMark(img, centredRect.left() + 3, centredRect.top() + 3,
                                      centredRect.left() + centredRect.width() - 3,
                                      centredRect.top() + centredRect.height() - 3);
        else
            Accessible::DrawFocusMark(img, 3, 3, w - 3, h - 3);
    }
    return img;
}

void TvxGradiButton::PaintButton(QPainter& painter) const {
    const QImage face = Render();
    if (!face.isNull())
        painter.drawImage(0, 0, face);
}

void TvxGradiButton::Click() {
    QPointer<TvxGradiButton> self(this);
    m_withhold = false;
    emit clicked();
    if (!self)
        return;
    const bool withheld = m_withhold;
    m_withhold = false;
    const int result = m_modalResult;
    if (result == 0 || withheld)
        return;

    // The button's result replaces whatever the handler left, including the
    // rejection of a handler that closed the dialog itself.
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(window());
    const bool listened =
        isSignalConnected(QMetaMethod::fromSignal(&TvxGradiButton::modalResultChosen));
    emit modalResultChosen(result);
    if (!self || !dialog || listened)
        return;
    if (dialog->isVisible())
        dialog->done(result);
    else
        dialog->setResult(result);
}

void TvxGradiButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintButton(p);
}

void TvxGradiButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_captured = true;
    m_mousePressed = true;
    m_mouseInside = true;
    repaint();
}

void TvxGradiButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_captured = true;
    if (m_keyPressed)
        return;
    m_mousePressed = true;
    repaint();
    emit doubleClicked();
}

void TvxGradiButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    QPointer<TvxGradiButton> self(this);
    const bool overButton = rect().contains(event->position().toPoint());
    const bool wasCaptured = m_captured;
    m_captured = false;
    // Only a press that began here and ends here clicks; a held Space owns
    // the click and delivers it at key-up.
    if (wasCaptured && overButton && !m_keyPressed) {
        Click();
        if (!self)
            return;
    }
    m_mousePressed = false;
    repaint();
}

void TvxGradiButton::mouseMoveEvent(QMouseEvent* event) {
    // While the mouse is held the pointer belongs to this button and no
    // enter or leave arrives, so the crossing is worked out here.
    if (m_captured)
        SetMouseInside(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TvxGradiButton::SetMouseInside(bool inside) {
    if (m_mouseInside == inside)
        return;
    m_mouseInside = inside;
    if (inside)
        repaint();
    else
        update();
}

void TvxGradiButton::enterEvent(QEnterEvent* event) {
    m_mouseInside = true;
    repaint();
    QWidget::enterEvent(event);
}

void TvxGradiButton::leaveEvent(QEvent* event) {
    m_mouseInside = false;
    update();
    QWidget::leaveEvent(event);
}

void TvxGradiButton::keyPressEvent(QKeyEvent* event) {
    const bool plainSpace =
        event->key() == Qt::Key_Space &&
        !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (plainSpace && m_keyPressed && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (plainSpace && hasFocus() && !m_mousePressed && !m_keyPressed) {
        m_keyPressed = true;
        repaint();
        event->accept();
        return;
    }
    // Enter presses the button the user has moved to, as on any push button;
    // with nothing focused it stays with the window and its default button.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && mods == Qt::NoModifier && hasFocus() && !event->isAutoRepeat()) {
        event->accept();
        if (!m_mousePressed && !m_keyPressed)
            KeyboardClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TvxGradiButton::keyReleaseEvent(QKeyEvent* event) {
    // Some platforms send a release before every repeated press; only the
    // real release ends the press, or a held Space would click repeatedly.
    if (event->isAutoRepeat() || !m_keyPressed) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (ClickAndRelease())
        event->accept();
}

void TvxGradiButton::focusInEvent(QFocusEvent* event) {
    m_keyboardFocus.FocusIn(*event);
    update();
    QWidget::focusInEvent(event);
}

void TvxGradiButton::focusOutEvent(QFocusEvent* event) {
    m_keyboardFocus.FocusOut(*event);
    m_keyPressed = false;
    m_mousePressed = false;
    m_captured = false;
    update();
    QWidget::focusOutEvent(event);
}

void TvxGradiButton::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool TvxGradiButton::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        WatchWindow();
    if (event->type() == QEvent::Shortcut && m_shortcutId != 0 &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        if (!m_mousePressed && !m_keyPressed && CanTakeFocus())
            KeyboardClick();
        return true;
    }
    return QWidget::event(event);
}

// Enter, Esc and bare accelerator letters are meant for the whole window, not for the
// focused control, so the button listens to the keys that reach the window
// unhandled (a memo keeps its Enter, an edit its letters).
void TvxGradiButton::WatchWindow() {
    QWidget* top = window();
    if (top == this)
        top = nullptr;
    if (m_watchedWindow == top)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = top;
    if (top)
        top->installEventFilter(this);
}

bool TvxGradiButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress)
        return HandleWindowKey(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool TvxGradiButton::CanTakeFocus() const {
    return isVisible() && isEnabled();
}

QChar TvxGradiButton::Accelerator() const {
    for (qsizetype i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption[i] != QLatin1Char('&'))
            continue;
        if (m_caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return m_caption[i + 1];
    }
    return QChar();
}

bool TvxGradiButton::HandleWindowKey(QKeyEvent* event) {
    if (m_mousePressed || m_keyPressed || !CanTakeFocus())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::NoModifier && ((m_default && (key == Qt::Key_Return || key == Qt::Key_Enter)) ||
                                   (m_cancel && key == Qt::Key_Escape))) {
        KeyboardClick();
        return true;
    }
    // The bare accelerator letter counts when nothing on the way took it.
    const QChar accel = Accelerator();
    if (accel.isNull() || mods != Qt::NoModifier)
        return false;
    const QChar upper = accel.toUpper();
    const bool matches =
        event->text().compare(QString(accel), Qt::CaseInsensitive) == 0 ||
        (upper.unicode() < 0x80 && upper.isLetterOrNumber() && key == upper.unicode());
    if (!matches)
        return false;
    KeyboardClick();
    return true;
}

void TvxGradiButton::KeyboardClick() {
    m_keyPressed = true;
    repaint();
    ClickAndRelease();
}

bool TvxGradiButton::ClickAndRelease() {
    // The click may close the dialog that owns the button, and with it the
    // button itself.
    QPointer<TvxGradiButton> self(this);
    Click();
    if (!self)
        return false;
    m_keyPressed = false;
    repaint();
    return true;
}

void TvxGradiButton::AnimateClick() {
    if (m_animating || m_mousePressed || m_keyPressed || !CanTakeFocus())
        return;
    // The press shows now and the click follows from the event loop, so a
    // caller (an assistive technology's request) is answered before a
    // dialog the click opens starts waiting.
    m_animating = true;
    m_keyPressed = true;
    repaint();
    QTimer::singleShot(100, this, [this] {
        m_animating = false;
        ClickAndRelease();
    });
}
