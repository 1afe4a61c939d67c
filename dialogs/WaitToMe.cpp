#include "dialogs/WaitToMe.h"

#include "dialogs/DialogParts.h"
#include "widgets/vxGradiBtn.h"

TfrmWaitToMe::TfrmWaitToMe(TvxPrjInfo& prj, QWidget* parent)
    : TvxPledgeView(prj, TvxFrame::Dialog, 421, 307,
                    QStringLiteral("금연을 결심하실 때 말씀하신 서약서 입니다."),
                    QStringLiteral("굳은 결심과 각오를 새롭게 다지십시요."), 406, parent) {
    vxGradiButton1 =
        DialogParts::Button(this, vxGradiColors1, QStringLiteral("고마워 ^^"), 180, 275, 101, 25);
    vxGradiButton2 = DialogParts::Button(this, vxGradiColors1, QStringLiteral("짜증난다,피울거야"),
                                         285, 275, 126, 25);
    connect(vxGradiButton1, &TvxGradiButton::clicked, this, &TfrmWaitToMe::BitBtn1Click);
    connect(vxGradiButton2, &TvxGradiButton::clicked, this, &TfrmWaitToMe::BitBtn2Click);
}

void TfrmWaitToMe::BitBtn1Click() {
    SetModalResult(mrOk);
}

void TfrmWaitToMe::BitBtn2Click() {
    SetModalResult(mrCancel);
}
