#include "mainwindow/ModifyDateTime.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "mainwindow/main.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QTimeEdit>

TfrmModifyDateTime::TfrmModifyDateTime(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("날짜 수정"));
    SetClientSize(387, 199);
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);

    Label1 = DialogParts::Label(this, QStringLiteral("금연 시작 날짜를 수정합니다."), 10, 10,
                                DialogParts::Font(13, true));
    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(10, 30, 365, 2);

    // A compact month sheet: the weeks begin on Sunday, as Korean calendars
    // do, and no week numbers take room from the days.
    pckDate = new QCalendarWidget(this);
    pckDate->setAccessibleName(QStringLiteral("금연 시작 날짜"));
    pckDate->setGeometry(12, 40, 162, 143);
    pckDate->setLocale(korean);
    pckDate->setFirstDayOfWeek(Qt::Sunday);
    pckDate->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    pckDate->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    pckDate->setGridVisible(false);

    pckTime = new TvxTimeEdit(this);
    pckTime->setAccessibleName(QStringLiteral("금연 시작 시각"));
    pckTime->setGeometry(190, 42, 186, 20);
    pckTime->setLocale(korean);
    pckTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    vxGradiColors1 = new TvxGradiColors(this);
    vxGradiButton1 =
        DialogParts::Button(this, vxGradiColors1, QStringLiteral("수 정"), 220, 160, 75, 25);
    vxGradiButton1->SetModalResult(mrOk);
    vxGradiButton2 =
        DialogParts::Button(this, vxGradiColors1, QStringLiteral("취 소"), 300, 160, 75, 25);
    vxGradiButton2->SetModalResult(mrCancel);

    setTabOrder(pckDate, pckTime);
    pckDate->setFocus();
}

// ------------------------------------------------------------------ command

void TfrmMain::btnModifyStartClick() {
    ModifyStart();
}

void TfrmMain::ModifyStart() {
    const TDateTime old = m_prj.ReadStart(Clock::Now());
    int year, month, day, hour, minute, second, msec;
    DecodeDateTime(old, year, month, day, hour, minute, second, msec);

    TfrmModifyDateTime dlg(this);
    dlg.pckDate->setSelectedDate(QDate(year, month, day));
    dlg.pckTime->setTime(QTime(hour, minute, second));
    if (ShowOwnedModal(dlg) != TvxAnswer::Ok)
        return;

    // The chosen day at the chosen time of day, to the whole second, read
    // back through the settings file's own text conversion.
    const QString text = dlg.pckDate->selectedDate().toString(QStringLiteral("yyyy-MM-dd")) +
                         QLatin1Char(' ') +
                         dlg.pckTime->time().toString(QStringLiteral("HH:mm:ss"));
    TDateTime moment = 0;
    if (!TryStrToDateTime(text, moment))
        return;

    QMessageBox confirm(QMessageBox::Question, QStringLiteral("Confirm"),
                        QStringLiteral("금연 결심 일자를 ") + FormatDateTime(moment) +
                            QStringLiteral(" 으로 바꿉니다."),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
    confirm.setDefaultButton(QMessageBox::Ok);
    confirm.setEscapeButton(QMessageBox::Cancel);
    if (ShowOwnedModal(confirm) != TvxAnswer::Ok)
        return;

    m_prj.WriteStart(moment);
    LoadState();
}
