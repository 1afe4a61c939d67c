#include "dialogs/DontBear.h"

#include "dialogs/DialogParts.h"
#include "dialogs/MessagePicture.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

using namespace DialogParts;

namespace {
const QColor kCyan(0x00, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
} // namespace

TfrmDontBear::TfrmDontBear(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("금연 결심"));
    SetClientSize(463, 270);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Look::ButtonFace());
    setPalette(pal);

    vxGradiColors1 = new TvxGradiColors(this);
    Shape1 = new TvxShape(this);
    Shape1->setGeometry(17, 12, 437, 130);
    img = new TvxImage(this);
    img->setGeometry(20, 15, 431, 124);
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
}

void TfrmDontBear::FormCreate() {
    img->SetPicture(DrawMessagePicture(
        img->size(), PictureBackground, MessagePictureFont(13, true),
        {
            {6, 10 + 23 * 0, Qt::white, 2, ConsolingTexts[3]},
            {6, 10 + 23 * 1, Qt::white, 2, ConsolingTexts[4]},
            {6, 10 + 23 * 2, Qt::white, 2, ConsolingTexts[5]},
            {6, 85, kCyan, 2, QStringLiteral("힘 내십시오, 승리는 당신의 것입니다....!!")},
        }));
    const QFont message = MessagePictureFont(10, false);
    imgMsgRetry->SetPicture(DrawMessagePicture(
        imgMsgRetry->size(), MessageBackground, message,
        {
            {6, 6, Qt::black, 1, QStringLiteral("지금 이 시간부터 다시 시작합니다.")},
            {6, 25, Qt::black, 1, QStringLiteral("모든 자료는")},
            {85, 25, kRed, 1, QStringLiteral("0초로")},
            {120, 25, Qt::black, 1, QStringLiteral("셑팅되며, 천민으로 돌아갑니다...!!")},
        }));
    imgMsgCancel->SetPicture(DrawMessagePicture(
        imgMsgCancel->size(), MessageBackground, message,
        {
            {6, 6, Qt::black, 1, QStringLiteral("생각 잘하셨습니다...화이팅!!.")},
            {6, 25, Qt::black, 1, QStringLiteral("즐금을 계속합니다.")},
        }));
}
