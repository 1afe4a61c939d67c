#include "dialogs/ShowGrade.h"

#include "core/Constants.h"
#include "dialogs/DialogParts.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QListWidget>

TfrmShowGrade::TfrmShowGrade(const QList<QPixmap>& imgGrade, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("Tarvell의 신분 등급 소개"));
    SetClientSize(469, 369);
    vxGradiColors1 = new TvxGradiColors(this);

    lstView = new QListWidget(this);
    lstView->setGeometry(5, 5, 460, 331);
    lstView->setAccessibleName(QStringLiteral("신분 등급"));
    lstView->setViewMode(QListView::IconMode);
    lstView->setIconSize(QSize(32, 32));
    lstView->setMovement(QListView::Static);
    lstView->setResizeMode(QListView::Adjust);
    lstView->setWrapping(true);
    lstView->setFlow(QListView::LeftToRight);
    lstView->setWordWrap(true);
    lstView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstView->setDragEnabled(false);
    // Room for the icon and the two lines of each label: all 19 ranks fit
    // in the list at once, six to a row.
    lstView->setGridSize(QSize(73, 66));
    lstView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A picture to look at: no item starts out current or selected, so
    // none looks like the user's own rank.
    lstView->setFocusPolicy(Qt::NoFocus);

    btnOK = DialogParts::Button(this, vxGradiColors1, QStringLiteral("확 인"), 390, 340, 75, 25);
    connect(btnOK, &TvxGradiButton::clicked, this, &TfrmShowGrade::btnOkClick);

    FormCreate(imgGrade);
}

void TfrmShowGrade::FormCreate(const QList<QPixmap>& imgGrade) {
    for (int i = 0; i < GradeCount; ++i) {
        auto* item = new QListWidgetItem(lstView);
        item->setText(GradeNames[size_t(i)] + QLatin1Char('\n') + QLatin1Char('(') +
                      GradeLabels[size_t(i)] + QLatin1Char(')'));
        item->setIcon(QIcon(imgGrade.value(i)));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
}

void TfrmShowGrade::btnOkClick() {
    Close();
}
