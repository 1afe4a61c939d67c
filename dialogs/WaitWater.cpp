#include "dialogs/WaitWater.h"

#include "dialogs/DialogParts.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QLabel>

using namespace DialogParts;

TfrmWaitWater::TfrmWaitWater(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("꼭 해보세요"));
    SetClientSize(374, 139);
    SetBackground(Look::ButtonFace());

    const QFont bold15 = Font(15, true);
    Label1 = Label(this, QStringLiteral("지금 바로 물을 한컵 드세요!!!"), 65, 20, bold15);
    Label2 = Label(this, QStringLiteral("확실한 효과가 있습니다."), 65, 50, bold15);

    vxGradiColors1 = new TvxGradiColors(this);
    vxGradiButton1 = Button(this, vxGradiColors1, QStringLiteral("좋왔어 ^^"), 135, 99, 101, 25);
    vxGradiButton2 = Button(this, vxGradiColors1, QStringLiteral("그래도...T_T"), 238, 99, 126, 25);
    connect(vxGradiButton1, &TvxGradiButton::clicked, this, &TfrmWaitWater::BitBtn1Click);
    connect(vxGradiButton2, &TvxGradiButton::clicked, this, &TfrmWaitWater::BitBtn2Click);
}

void TfrmWaitWater::BitBtn1Click() {
    SetModalResult(mrOk);
}

void TfrmWaitWater::BitBtn2Click() {
    SetModalResult(mrCancel);
}
