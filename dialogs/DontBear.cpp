#include "dialogs/DontBear.h"

#include "dialogs/DialogParts.h"
#include "dialogs/MessagePicture.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

using namespace DialogParts;

TfrmDontBear::TfrmDontBear(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("금연 결심"));
    SetClientSize(463, 270);
    SetBackground(Look::ButtonFace());

    vxGradiColors1 = new TvxGradiColors(this);
    AddFramedPicture(this, Shape1, img);
    vxGradiButton2 =
        Button(this, vxGradiColors1, QStringLiteral("아냐 난 참을 수 있어!!"), 15, 155, 145, 25);
    vxGradiButton2->SetModalResult(mrOk);
    imgMsgCancel = new TvxImage(this);
    imgMsgCancel->setGeometry(170, 155, 281, 51);
    vxGradiButton1 =
        Button(this, vxGradiColors1, QStringLiteral("정말 미안해..T_T"), 15, 215, 145, 25);
    vxGradiButton1->SetModalResult(mrCancel);
    imgMsgRetry = new TvxImage(this);
    imgMsgRetry->setGeometry(170, 210, 281, 51);

    FormCreate();
    // Each answer's consequence is spelt out in the picture beside it; the
    // button carries those words for a screen reader.
    vxGradiButton1->setAccessibleDescription(imgMsgRetry->accessibleName());
    vxGradiButton2->setAccessibleDescription(imgMsgCancel->accessibleName());
}

void TfrmDontBear::FormCreate() {
    DrawMessagePictures(img, imgMsgRetry, imgMsgCancel,
                        {3, QStringLiteral("힘 내십시오, 승리는 당신의 것입니다....!!"),
                         QStringLiteral("셑팅되며, 천민으로 돌아갑니다...!!"),
                         QStringLiteral("생각 잘하셨습니다...화이팅!!.")});
}
