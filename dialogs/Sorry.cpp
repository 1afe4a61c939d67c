#include "dialogs/Sorry.h"

#include "dialogs/DialogParts.h"
#include "dialogs/MessagePicture.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

using namespace DialogParts;

TfrmSorry::TfrmSorry(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Sizeable) {
    setWindowTitle(QStringLiteral("에고, 이런 이런"));
    SetBackground(Look::ButtonFace());
    // Where it was designed, not centred; resizing only shows more or less
    // background, as nothing follows the right or bottom edge.
    SetOuterGeometry(QRect(DesignedLeft, DesignedTop, DesignedWidth, DesignedHeight));

    vxGradiColors1 = new TvxGradiColors(this);
    AddFramedPicture(this, Shape1, img);
    vxGradiButton1 =
        Button(this, vxGradiColors1, QStringLiteral("다시 시작할께"), 16, 155, 144, 25);
    vxGradiButton1->SetModalResult(mrOk);
    imgMsgRetry = new TvxImage(this);
    imgMsgRetry->setGeometry(170, 150, 281, 51);
    vxGradiButton2 =
        Button(this, vxGradiColors1, QStringLiteral("미안, 실은 장난이야"), 16, 210, 144, 25);
    vxGradiButton2->SetModalResult(mrCancel);
    imgMsgCancel = new TvxImage(this);
    imgMsgCancel->setGeometry(170, 210, 281, 51);

    FormCreate();
    // Each answer's consequence is spelt out in the picture beside it; the
    // button carries those words for a screen reader.
    vxGradiButton1->setAccessibleDescription(imgMsgRetry->accessibleName());
    vxGradiButton2->setAccessibleDescription(imgMsgCancel->accessibleName());
}

void TfrmSorry::FormCreate() {
    DrawMessagePictures(img, imgMsgRetry, imgMsgCancel,
                        {0, QStringLiteral("승리는 당신의 것입니다......!!"),
                         QStringLiteral("셑팅됩니다...!!"),
                         QStringLiteral("다행입니다..^^...장난하지 마세요.")});
}
