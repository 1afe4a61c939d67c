#include "dialogs/CheckSmoke.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QLabel>
#include <QMessageBox>
#include <QStringList>

using namespace DialogParts;

TfrmCheckSmoke::TfrmCheckSmoke(TvxPrjInfo& prj, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::ToolWindow), m_prj(prj) {
    setWindowTitle(QStringLiteral("안녕하세요.............^^"));
    SetClientSize(349, 161);

    Label1 = Label(this, QStringLiteral("좋은 아침입니다.......!!"), 25, 15);
    Label2 = Label(this, QStringLiteral("오늘의 확인"), 25, 30);
    Label3 = Label(this, QStringLiteral("담배를 혹 피우셨습니까?"), 75, 55, Font(16, true));
    Label4 =
        Label(this, QStringLiteral("본 프로그램은 자신을 속이는 프로그램이 아닙니다."), 30, 85);
    Label5 = Label(this, QStringLiteral("솔직한 말씀만이 금연에 도움이 됩니다."), 30, 100);

    vxGradiColors1 = new TvxGradiColors(this);
    btnSorry = Button(this, vxGradiColors1, QStringLiteral("미안"), 180, 120, 75, 25);
    btnNoSmoked = Button(this, vxGradiColors1, QStringLiteral("안 피웠어"), 260, 120, 75, 25);
    connect(btnSorry, &TvxGradiButton::clicked, this, &TfrmCheckSmoke::btnSorryClick);
    connect(btnNoSmoked, &TvxGradiButton::clicked, this, &TfrmCheckSmoke::btnNoSmokedClick);
}

QString TfrmCheckSmoke::ConfirmationText() {
    return QStringList{
        QStringLiteral("아쉽게도 담배를 피우셨군요. 그러나 끊으실 수 있습니다...!!"),
        QStringLiteral("금단 증상은 병이 아니며, 귀하께서 건강의 정상을 오르기 위한"),
        QStringLiteral("숨가쁨일 뿐입니다."),
        QStringLiteral("용기를 내십시오. 당신은 분명히 정상에 오르실 수 있습니다.....!!"),
        QStringLiteral("모든 시간 정보는 '0' 으로 설정되며, 천민 등급에서"),
        QStringLiteral("다시 시작합니다."),
    }
        .join(QStringLiteral("\r\n\r\n"));
}

void TfrmCheckSmoke::btnSorryClick() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), ConfirmationText(),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    if (box.exec() != QMessageBox::Ok)
        return; // the user chooses again
    try {
        m_prj.Restart();
    } catch (const EFileError& error) {
        // The relapse is not fully recorded; the question stays open so the
        // user can try again once the folder can be written.
        ShowFileError(this, error);
        return;
    }
    Close();
}

void TfrmCheckSmoke::btnNoSmokedClick() {
    Close();
}
