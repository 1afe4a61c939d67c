#pragma once
// Small builders for the fixed layouts of the dialogs: every control is
// placed at the pixel position it has always had, so the windows are laid
// out by hand rather than by layout managers.

#include <QFont>
#include <QIcon>
#include <QString>
#include <QTimeEdit>

class QLabel;
class QWidget;
class TvxGradiButton;
class TvxGradiColors;

namespace DialogParts {

// The base face at the given pixel height, optionally bold.
QFont Font(int pixelSize, bool bold = false);

// A label sized to its text with its top-left corner at (x, y).
QLabel* Label(QWidget* parent, const QString& text, int x, int y);
QLabel* Label(QWidget* parent, const QString& text, int x, int y, const QFont& font);
// A label sized to its text whose right edge ends at x = right.
QLabel* RightLabel(QWidget* parent, const QString& text, int right, int y);
QLabel* RightLabel(QWidget* parent, const QString& text, int right, int y, const QFont& font);
// Sets the text and lets the label grow or shrink with it, keeping its left edge.
void SetAutoSizeText(QLabel* label, const QString& text);

// A 32 × 32 picture at (x, y); a null icon leaves the place empty. The name
// is what a screen reader says of it.
QLabel* Icon(QWidget* parent, const QIcon& icon, int x, int y, const QString& name);

// A gradient button in the window's colour set, with the icon offset the
// dialogs share, reached by Tab though it is no tab stop.
TvxGradiButton* Button(QWidget* parent, TvxGradiColors* colors, const QString& caption, int x,
                       int y, int width, int height);

} // namespace DialogParts

// A time field in which digits typed into a section replace it, as in any
// time field: "3", "0" typed into the minutes of 12:26:45 give 12:30:45,
// and a full section passes the typing on to the next. The toolkit's own
// field inserts a digit at the cursor, which a full two-digit section
// refuses, and shows a half-typed section that its value does not hold.
// A click selects the section it lands in, so that what typing will replace
// shows; the arrows and typing over the whole text work as in the toolkit.
class TvxTimeEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit TvxTimeEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A first digit that a second may still join (the "2" of "23"), and its
    // section; none once the section is full or after any other key.
    Section m_pendingSection = NoSection;
    int m_pendingDigit = -1;
};
