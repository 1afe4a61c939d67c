#pragma once
// How the program's drawn controls present themselves to assistive
// technology (screen readers, keyboard navigators). Qt describes its own
// widgets well, but a control that paints itself is, to Qt, an anonymous
// area: these interfaces say what each one is (a push button, a gauge, a
// panel, a picture), what it is called and what can be done with it.

#include <QAccessible>
#include <QFocusEvent>
#include <QImage>
#include <functional>

class QWidget;

namespace Accessible {

// Registers the interfaces of the drawn controls with Qt. Every drawn
// control calls it when it is made, so a window never shows one of them
// before Qt knows how to describe it; calling it again does nothing.
void Install();

// Exposes a plain drawn widget (one with no interface of its own) under the
// given role, such as QAccessible::Graphic for a picture that carries text or
// QAccessible::StaticText for a drawn read-out. What it says is its
// accessibleName(). Call it when the widget is made, before a window with it
// is shown.
void SetRole(QWidget* widget, QAccessible::Role role);

// The caption as it is read: without the accelerator's "&" (a doubled "&&"
// is one literal "&") and with the "|" that splits a drawn caption into two
// lines read as a space.
QString SpokenCaption(const QString& caption);

// Whether a screen reader listens now. Changes it would be told of are
// worth describing only then: the gauges move every second.
bool Listened();

// Tells whoever listens of a change: the screen reader, or a test's
// listener, which hears every change in its place while it is set.
void Tell(QAccessibleEvent& event);
void SetListenerForTesting(std::function<void(QAccessibleEvent&)> listener);

// A dotted rectangle that inverts every other pixel, so it shows on any face
// and drawing it twice removes it. Right and bottom are exclusive.
void DrawFocusMark(QImage& image, int left, int top, int right, int bottom);

} // namespace Accessible

// Whether the focus a control holds came from the keyboard. A control whose
// look must not change under the mouse draws its focus mark only then: after
// Tab or Shift+Tab, and again when its window comes back to the front with
// the focus it had; never after a click or a focus set by the program.
class TvxKeyboardFocus {
public:
    // Both return whether the mark changed.
    bool FocusIn(const QFocusEvent& event);
    bool FocusOut(const QFocusEvent& event);
    bool On() const { return m_on; }

private:
    bool m_on = false;
};
