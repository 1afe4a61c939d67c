#pragma once
// Small builders for the fixed layouts of the dialogs: every control is
// placed at the pixel position it has always had, so the windows are laid
// out by hand rather than by layout managers.

#include <QFont>
#include <QIcon>
#include <QString>

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
