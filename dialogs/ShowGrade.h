#pragma once
// The ladder of the 19 ranks, each with its icon, its title and the time of
// abstinence it asks for. Read-only: the user's own rank is not marked.

#include "widgets/ModalDialog.h"

#include <QList>
#include <QPixmap>

class QListWidget;
class TvxGradiButton;
class TvxGradiColors;

class TfrmShowGrade : public TvxModalDialog {
    Q_OBJECT

public:
    // imgGrade: the 32 by 32 rank icons, lowest rank first.
    explicit TfrmShowGrade(const QList<QPixmap>& imgGrade, QWidget* parent = nullptr);

    QListWidget* lstView;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* btnOK;

public slots:
    void btnOkClick();

private:
    void FormCreate(const QList<QPixmap>& imgGrade);
};
