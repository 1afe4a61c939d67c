#include "resources/Pictures.h"

#include <QString>

namespace {

constexpr int GradeCount = 19;
constexpr int MenuCount = 6;

QString artPath(const QString& file) {
    return QStringLiteral(":/art/") + file;
}

QIcon artIcon(const QString& file) {
    return QIcon(artPath(file));
}

QList<QIcon> numbered(const QString& pattern, int count, int width) {
    QList<QIcon> icons;
    icons.reserve(count);
    for (int i = 0; i < count; ++i)
        icons.append(artIcon(pattern.arg(i, width, 10, QLatin1Char('0'))));
    return icons;
}

} // namespace

QList<QIcon> GradeIcons() {
    return numbered(QStringLiteral("grade%1.png"), GradeCount, 2);
}

QList<QIcon> MarkIcons() {
    return numbered(QStringLiteral("mark%1.png"), 2, 1);
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(artPath(QStringLiteral("app%1.png").arg(size)), QSize(size, size));
    return icon;
}

QList<QIcon> MenuIcons() {
    return numbered(QStringLiteral("menu%1.png"), MenuCount, 1);
}

QIcon CalcIcon() {
    return artIcon(QStringLiteral("calc32.png"));
}

QIcon PledgeIcon() {
    return artIcon(QStringLiteral("pledge32.png"));
}

namespace {

// Through an icon, which takes the picture drawn at twice the pixels on a
// screen that scales by two.
QPixmap smallPicture(const QString& file) {
    return artIcon(file).pixmap(16, 16);
}

} // namespace

QList<QPixmap> QueryButtonPictures() {
    return {smallPicture(QStringLiteral("query0.png")), smallPicture(QStringLiteral("query1.png"))};
}

QList<QPixmap> DropButtonPictures() {
    QList<QPixmap> pictures;
    for (int i = 0; i < 4; ++i)
        pictures.append(smallPicture(QStringLiteral("drop%1.png").arg(i)));
    return pictures;
}
