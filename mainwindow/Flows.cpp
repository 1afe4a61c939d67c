// The relapse and craving flows of the main window.

#include "dialogs/DontBear.h"
#include "dialogs/Sorry.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitToMe.h"
#include "dialogs/WaitWater.h"
#include "mainwindow/main.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"

#include <QMessageBox>
#include <QStringList>

void TfrmMain::btnSorryClick() {
    TvxAnswer answer = TvxAnswer::None;
    {
        TfrmSorry dlg(this);
        answer = ShowOwnedModal(dlg);
    }
    if (answer == TvxAnswer::Ok)
        RestartRecord();
}

void TfrmMain::btnHelpClick() {
    // Each step is a dialog of its own, released before the next one opens.
    // The first two go on unless they helped (OK); the next two go on only
    // when the user gives up (Cancel), so any other ending stops the flow.
    {
        TfrmWaitWater water(this);
        if (ShowOwnedModal(water) == TvxAnswer::Ok)
            return;
    }
    {
        TfrmWaitShowWeb board(m_prj, this);
        if (ShowOwnedModal(board) == TvxAnswer::Ok)
            return;
    }
    {
        TfrmWaitToMe pledge(m_prj, this);
        if (ShowOwnedModal(pledge) != TvxAnswer::Cancel)
            return;
    }
    {
        TfrmDontBear appeal(this);
        if (ShowOwnedModal(appeal) != TvxAnswer::Cancel)
            return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                    RelapseConfirmationText(), QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    if (ShowOwnedModal(box) == TvxAnswer::Ok)
        RestartRecord();
}

QString TfrmMain::RelapseConfirmationText() {
    return QStringList{
        QStringLiteral(" "),
        QStringLiteral("금단 증상은 병이 아닙니다. 또한 금연은"),
        QStringLiteral("누구에게나 힘든 일입니다."),
        QStringLiteral("그러나 당신은 졌어도 분명 이기는 분이 계십니다.!!"),
        QStringLiteral("모든 시간 정보는 '0' 으로 설정되며, 천민 등급에서"),
        QStringLiteral("다시 시작합니다."),
    }
        .join(QStringLiteral("\r\n\r\n"));
}

bool TfrmMain::RestartRecord() {
    try {
        m_prj.Restart();
    } catch (const EFileError& error) {
        // Without the record the window keeps counting from the old base:
        // showing a restart the file does not hold would be undone by the
        // next load.
        ShowFileError(this, error);
        return false;
    }
    LoadState();
    return true;
}
