#include "dialogs/Sorry.h"

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

TfrmSorry::TfrmSorry(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Sizeable) {
    setWindowTitle(QStringLiteral("에고, 이런 이런"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Look::ButtonFace());
    setPalette(pal);
    // Where it was designed, not centred; resizing only shows more or less
    // background, as nothing follows the right or bottom edge.
    SetScreenCentred(false);
    SetOuterGeometry(QRect(DesignedLeft, DesignedTop, DesignedWidth, DesignedHeight));

    vxGradiColors1 = new TvxGradiColors(this);
    Shape1 = new TvxShape(this);
    Shape1->setGeometry(17, 12, 437, 130);
    img = new TvxImage(this);
    img->setGeometry(20, 15, 431, 124);
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
}

void TfrmSorry::FormCreate() {
    // Drawn once: later resizing neither redraws nor rescales them.
    img->SetPicture(
        DrawMessagePicture(img->size(), PictureBackground, MessagePictureFont(13, true),
                           {
                               {6, 10 + 23 * 0, Qt::white, 2, ConsolingTexts[0]},
                               {6, 10 + 23 * 1, Qt::white, 2, ConsolingTexts[1]},
                               {6, 10 + 23 * 2, Qt::white, 2, ConsolingTexts[2]},
                               {6, 85, kCyan, 2, QStringLiteral("승리는 당신의 것입니다......!!")},
                           }));
    const QFont message = MessagePictureFont(10, false);
    imgMsgRetry->SetPicture(DrawMessagePicture(
        imgMsgRetry->size(), MessageBackground, message,
        {
            {6, 6, Qt::black, 1, QStringLiteral("지금 이 시간부터 다시 시작합니다.")},
            {6, 25, Qt::black, 1, QStringLiteral("모든 자료는")},
            {85, 25, kRed, 1, QStringLiteral("0초로")},
            {120, 25, Qt::black, 1, QStringLiteral("셑팅됩니다...!!")},
        }));
    imgMsgCancel->SetPicture(DrawMessagePicture(
        imgMsgCancel->size(), MessageBackground, message,
        {
            {6, 6, Qt::black, 1, QStringLiteral("다행입니다..^^...장난하지 마세요.")},
            {6, 25, Qt::black, 1, QStringLiteral("즐금을 계속합니다.")},
        }));
}
