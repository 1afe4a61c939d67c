#include "widgets/Look.h"

#include <QGuiApplication>
#include <QPalette>

namespace Look {

namespace {
QFont withFamilies(const QStringList& families) {
    QFont f;
    f.setFamilies(families);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}
} // namespace

QFont BaseFont(int pixelSize) {
    QFont f = withFamilies({QStringLiteral("굴림체"), QStringLiteral("GulimChe"),
                            QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumGothic"),
                            QStringLiteral("Noto Sans Mono CJK KR"), QStringLiteral("monospace")});
    f.setPixelSize(pixelSize);
    return f;
}

QFont GulimFont(int pixelSize) {
    QFont f = withFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim"),
                            QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR"),
                            QStringLiteral("sans-serif")});
    f.setPixelSize(pixelSize);
    return f;
}

QFont ArialFont(int pointSize, bool bold) {
#ifdef Q_OS_WIN
    // Windows has Arial itself, and no font configuration that maps it.
    QFont f = withFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")});
#else
    // The faces drawn to Arial's metrics come first: the layouts count on its
    // widths, and a font configuration may map "Arial" to a wider face.
    QFont f = withFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                            QStringLiteral("Nimbus Sans"), QStringLiteral("Nimbus Sans L"),
                            QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("sans-serif")});
#endif
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QFont DotumFont(int pixelSize, bool bold) {
    QFont f = withFamilies({QStringLiteral("돋음체"), QStringLiteral("돋움체"),
                            QStringLiteral("DotumChe"), QStringLiteral("NanumGothicCoding"),
                            QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans Mono CJK KR"),
                            QStringLiteral("monospace")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont CounterFont() {
    return ArialFont(18, true);
}

QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
}

QFont CalendarCellFont() {
    QFont f = withFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                            QStringLiteral("NanumGothic"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("sans-serif")});
    f.setPixelSize(11);
    return f;
}

} // namespace Look
