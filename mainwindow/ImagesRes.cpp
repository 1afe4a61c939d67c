#include "mainwindow/ImagesRes.h"

#include "resources/Pictures.h"

TfrmImagesRes* frmImagesRes = nullptr;

namespace {
constexpr int GradeIconSize = 32;
}

TfrmImagesRes::TfrmImagesRes(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmImagesRes"));
    // Even a stray show() must not put an empty window on the screen.
    setAttribute(Qt::WA_DontShowOnScreen);
    const QList<QIcon> icons = GradeIcons();
    imgGrade.reserve(icons.size());
    for (const QIcon& icon : icons)
        imgGrade.append(icon.pixmap(GradeIconSize, GradeIconSize));
    if (!frmImagesRes)
        frmImagesRes = this;
}

TfrmImagesRes::~TfrmImagesRes() {
    if (frmImagesRes == this)
        frmImagesRes = nullptr;
}

QPixmap TfrmImagesRes::gradePixmap(int rank) const {
    if (rank < 0 || rank >= imgGrade.size())
        return QPixmap();
    return imgGrade.at(rank);
}
