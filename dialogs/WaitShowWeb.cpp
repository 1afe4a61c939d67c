#include "dialogs/WaitShowWeb.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QEvent>
#include <QLabel>
#include <QShowEvent>

using namespace DialogParts;

TfrmWaitShowWeb::TfrmWaitShowWeb(TvxPrjInfo& prj, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::Dialog), m_prj(prj) {
    setWindowTitle(QStringLiteral("이웃과 함께하면 수월합니다."));
    SetClientSize(360, 174);

    labTitle = new QLabel(QStringLiteral("금연 게시판을 방문하겠습니다."), this);
    labTitle->setFont(Font(15, true));
    labTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labTitle->adjustSize();
    labTitle->setGeometry(10, 25, 341, labTitle->height());
    Label2 = Label(this, QStringLiteral("금연은 누구에게나 어려운 일입니다."), 20, 55);
    Label3 = Label(this, QStringLiteral("금연은 혼자서 하시는 것 보다 같이 금연을 결심한"), 20, 70);
    Label4 = Label(this, QStringLiteral("많은 분들과 함께 잠시 말씀을 나누어 보십시요."), 20, 90);

    vxGradiColors1 = new TvxGradiColors(this);
    vxGradiButton1 = Button(this, vxGradiColors1, QStringLiteral("힘난다 ^^"), 120, 135, 101, 25);
    vxGradiButton2 = Button(this, vxGradiColors1, QStringLiteral("흐이그흐~"), 225, 135, 126, 25);
    connect(vxGradiButton1, &TvxGradiButton::clicked, this, &TfrmWaitShowWeb::BitBtn1Click);
    connect(vxGradiButton2, &TvxGradiButton::clicked, this, &TfrmWaitShowWeb::BitBtn2Click);
}

void TfrmWaitShowWeb::FormActivate() {
    // Once per showing: the user comes back from the browser to answer, and
    // that activation must not send them to the browser again.
    if (m_homePageOpened)
        return;
    m_homePageOpened = true;
    m_prj.OpenHomePage();
}

void TfrmWaitShowWeb::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        m_homePageOpened = false;
    TvxModalDialog::showEvent(event);
}

void TfrmWaitShowWeb::changeEvent(QEvent* event) {
    TvxModalDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TfrmWaitShowWeb::BitBtn1Click() {
    SetModalResult(mrOk);
}

void TfrmWaitShowWeb::BitBtn2Click() {
    SetModalResult(mrCancel);
}
