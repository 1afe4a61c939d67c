#pragma once
// The program's pictures, compiled into the executable. Every function
// returns fresh icons that share the underlying image data. Each picture
// but the program icon (which has large sizes of its own) is also drawn at
// twice its pixels, for screens that scale by two.

#include <QIcon>
#include <QList>
#include <QPixmap>

// One 32 by 32 icon per rank, in rank order (19, lowest first).
QList<QIcon> GradeIcons();
// The 16 by 16 milestone marks: 0 the empty round mark, 1 the same mark
// with a green dot.
QList<QIcon> MarkIcons();
// Program and tray icon, at 16, 32, 48 and 256 pixels.
QIcon AppIcon();
// The 16 by 16 icons of the tray menu, by icon index: 0 cost calculator,
// 1 grade list, 2 pledge, 3 show window, 4 unused (the same picture as 3),
// 5 home page.
QList<QIcon> MenuIcons();
// 32 by 32 icons of the cost calculator and the pledge dialogs.
QIcon CalcIcon();
QIcon PledgeIcon();
// The 16 by 16 pictures of the small image buttons: the round question
// button at rest (0) and lit (1), pressed or under the pointer.
QList<QPixmap> QueryButtonPictures();
// The small triangle pointing down: at rest, pressed, disabled, under the pointer.
QList<QPixmap> DropButtonPictures();
