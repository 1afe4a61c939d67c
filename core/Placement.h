#pragma once
// Where a window goes when it is placed from a stored position: the stored
// position, as long as the window's caption can be seen and grabbed on a
// screen there, moved in by the least amount where part of the window would
// lie off the screens; otherwise the centred position. Screens change between runs
// (a monitor unplugged, another resolution) and the settings file may hold
// anything.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// How much of the caption's width must lie on one screen for the user to
// grab it (the whole caption when the window is narrower).
constexpr int CaptionGrip = 100;

// left, top: the stored position of the window's outer frame, as read;
// outer: the window's size, frame included; captionHeight: the height of
// its caption bar; screens: the usable area of each screen.
QPoint PlaceWindow(qint64 left, qint64 top, const QSize& outer, int captionHeight,
                   const QList<QRect>& screens, const QPoint& centred);
