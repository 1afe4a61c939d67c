#pragma once
// The layout that the pledge writer and the craving-time pledge view share:
// an icon, two lines of text and the pledge in a multi-line edit, loaded
// from the pledge file when the window is made.

#include "widgets/ModalDialog.h"

class QLabel;
class QPlainTextEdit;
class TvxGradiColors;
class TvxPrjInfo;

class TvxPledgeView : public TvxModalDialog {
    Q_OBJECT

public:
    QLabel* imgIcon;
    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* memToMe;
    TvxGradiColors* vxGradiColors1;

protected:
    TvxPledgeView(TvxPrjInfo& prj, TvxFrame frame, int clientWidth, int clientHeight,
                  const QString& caption, const QString& line2, int memoWidth, QWidget* parent);

    // Fills the edit from the pledge file; a missing file leaves it empty.
    void FormCreate();

    bool eventFilter(QObject* watched, QEvent* event) override;

    TvxPrjInfo& m_prj;
};
