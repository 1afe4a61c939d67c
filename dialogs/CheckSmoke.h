#pragma once
// The honesty check at every start: did the user smoke? An admission, once
// confirmed, restarts the abstinence clock; nothing else is written.

#include "widgets/ModalDialog.h"

class QLabel;
class TvxGradiButton;
class TvxGradiColors;
class TvxPrjInfo;

class TfrmCheckSmoke : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmCheckSmoke(TvxPrjInfo& prj, QWidget* parent = nullptr);

    // The confirmation asked before the clock is restarted.
    static QString ConfirmationText();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* btnSorry;
    TvxGradiButton* btnNoSmoked;

public slots:
    void btnSorryClick();
    void btnNoSmokedClick();

private:
    TvxPrjInfo& m_prj;
};
