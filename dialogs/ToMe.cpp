#include "dialogs/ToMe.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGradiBtn.h"

#include <QPlainTextEdit>

TfrmToMe::TfrmToMe(TvxPrjInfo& prj, QWidget* parent)
    : TvxPledgeView(prj, TvxFrame::ToolWindow, 411, 305, QStringLiteral("금연 서약서"),
                    QStringLiteral("굳은 결심과 각오를 솔직하게 적어 주십시요."), 401, parent) {
    btnOK =
        DialogParts::Button(this, vxGradiColors1, QStringLiteral("작성 완료"), 300, 272, 106, 25);
    btnOK->SetModalResult(mrOk);
    connect(btnOK, &TvxGradiButton::clicked, this, &TfrmToMe::btnOKClick);
}

void TfrmToMe::btnOKClick() {
    try {
        m_prj.WritePledge(memToMe->toPlainText());
    } catch (const EFileError& error) {
        // Closing now would throw the pledge away; the user keeps the text
        // and can change what the file cannot hold, or try again.
        ShowFileError(this, error);
        btnOK->WithholdModalResult();
    }
}
