#pragma once
// The pledge shown again in a moment of craving, with the question whether
// it helped. What is typed here is never stored.

#include "dialogs/PledgeView.h"

class TvxGradiButton;

class TfrmWaitToMe : public TvxPledgeView {
    Q_OBJECT

public:
    explicit TfrmWaitToMe(TvxPrjInfo& prj, QWidget* parent = nullptr);

    TvxGradiButton* vxGradiButton1; // "고마워 ^^": OK
    TvxGradiButton* vxGradiButton2; // "짜증난다,피울거야": Cancel

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
};
