#pragma once
// The pledge writer: the user writes down the decision to stop smoking, and
// "작성 완료" stores it in the pledge file. The window offers no other way
// out, so what the user wrote is always kept.

#include "dialogs/PledgeView.h"

class TvxGradiButton;

class TfrmToMe : public TvxPledgeView {
    Q_OBJECT

public:
    explicit TfrmToMe(TvxPrjInfo& prj, QWidget* parent = nullptr);

    TvxGradiButton* btnOK;

public slots:
    void btnOKClick();
};
