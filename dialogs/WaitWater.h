#pragma once
// The first step of the craving flow: drink a glass of water now. OK means
// it helped and the flow ends; Cancel and the close box go on.

#include "widgets/ModalDialog.h"

class QLabel;
class TvxGradiButton;
class TvxGradiColors;

class TfrmWaitWater : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmWaitWater(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    TvxGradiButton* vxGradiButton1; // "좋왔어 ^^": OK
    TvxGradiButton* vxGradiButton2; // "그래도...T_T": Cancel
    TvxGradiColors* vxGradiColors1;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
};
