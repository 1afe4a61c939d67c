#pragma once
// The look every window shares: fonts with fallbacks, and the common colours.

#include <QColor>
#include <QFont>
#include <QStringList>

namespace Look {

// "굴림체" first; where it is missing, the Korean faces Debian ships.
QFont BaseFont(int pixelSize = 12);
// "굴림" (the menu face) first, with the same fallbacks.
QFont GulimFont(int pixelSize = 12);
// Arial's metrics: the faces made to them (Liberation Sans, Arimo, Nimbus
// Sans) first, then Arial itself, then common Latin faces.
QFont ArialFont(int pointSize, bool bold = false);
// The seconds counter's face: Arial 18 bold.
QFont CounterFont();
// "돋음체" (the face of the drawn message pictures) first, then the Korean
// faces Debian ships.
QFont DotumFont(int pixelSize, bool bold = false);

// The desktop's face colour of push buttons, the background of the plainer dialogs.
QColor ButtonFace();

// The small face of the calendar cells: "MS Sans Serif" with its 11-pixel
// character height where it exists. Debian has no such face; NanumGothic
// at the same height covers the Hangul and Hanja of the cells and has the
// same 13-pixel line, and Liberation Sans stands in for the Latin digits
// where fonts-nanum is missing.
QFont CalendarCellFont();

// Background of most dialogs.
inline QColor DialogBackground() {
    return QColor(0xED, 0xEB, 0xDA);
}
// Background of the main window.
inline QColor MainBackground() {
    return QColor(0xF4, 0xF2, 0xEA);
}

} // namespace Look
