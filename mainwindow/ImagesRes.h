#pragma once
// The rank icons in one place for the whole program: the main window's rank
// picture and the grade list both draw from this holder. It is a window only
// so that it lives and dies with the other top-level objects; it is never
// shown.

#include <QList>
#include <QPixmap>
#include <QWidget>

class TfrmImagesRes : public QWidget {
    Q_OBJECT

public:
    explicit TfrmImagesRes(QWidget* parent = nullptr);
    ~TfrmImagesRes() override;

    // 32 by 32, one per rank, lowest rank first.
    QList<QPixmap> imgGrade;

    // The icon of a rank, or a null pixmap when the index names no rank: a
    // hand-edited settings file can carry any number, and drawing nothing is
    // better than reading past the list.
    QPixmap gradePixmap(int rank) const;
};

// The process-wide holder: the first one created registers itself here and
// clears the pointer when it goes away.
extern TfrmImagesRes* frmImagesRes;
