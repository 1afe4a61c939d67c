// The main window's commands: the tray icon and its menu, the small image
// buttons beside the values of the left column, and the dialogs they open.

#include "mainwindow/main.h"

#include "core/Constants.h"

#include "dialogs/CalcDebt.h"
#include "dialogs/NonEffect.h"
#include "dialogs/ShowGrade.h"
#include "dialogs/ShowLog.h"
#include "dialogs/ToMe.h"
#include "mainwindow/ImagesRes.h"
#include "platform/DesktopShell.h"
#include "platform/Notifications.h"
#include "resources/Pictures.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"
#include "widgets/Look.h"
#include "widgets/ModalDialog.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxFlatMenu.h"
#include "widgets/vxImgBtn.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>

// ------------------------------------------------------------------ buttons

void TfrmMain::BuildCommandButtons() {
    const QList<QPixmap> query = QueryButtonPictures();
    vxButtonImages2 = new TvxButtonImages(this);
    vxButtonImages2->SetPicUp(query.value(0));
    vxButtonImages2->SetPicDown(query.value(1));
    vxButtonImages2->SetPicEntered(query.value(1));

    const QList<QPixmap> drop = DropButtonPictures();
    vxButtonImages1 = new TvxButtonImages(this);
    vxButtonImages1->SetPicUp(drop.value(0));
    vxButtonImages1->SetPicDown(drop.value(1));
    vxButtonImages1->SetPicDisabled(drop.value(2));
    vxButtonImages1->SetPicEntered(drop.value(3));

    // One column right of the value boxes, each button level with its row.
    // Each is named for a listener by the window it opens.
    auto button = [this](int y, void (TfrmMain::*handler)(), const QString& name) {
        auto* b = new TvxImageButton(this);
        b->setGeometry(183, y, 18, 18);
        b->SetButtonImages(vxButtonImages2);
        b->setAccessibleName(name);
        connect(b, &QAbstractButton::clicked, this, handler);
        return b;
    };
    vxImageButton2 = button(75, &TfrmMain::vxImageButton2Click, QStringLiteral("시민 등급 보기"));
    btnModifyStart =
        button(97, &TfrmMain::btnModifyStartClick, QStringLiteral("금연 시작 날짜 수정"));
    vxImageButton1 = button(151, &TfrmMain::vxImageButton1Click, QStringLiteral("금연 기록 보기"));
    vxImageButton4 =
        button(192, &TfrmMain::vxImageButton4Click, QStringLiteral("내가 핀 담배값 계산"));
    vxImageButton3 = button(268, &TfrmMain::vxImageButton3Click, QStringLiteral("금연 효과 보기"));
}

void TfrmMain::vxImageButton1Click() {
    ShowHistory();
}

void TfrmMain::vxImageButton2Click() {
    ShowGradeList();
}

void TfrmMain::vxImageButton3Click() {
    ShowEffects();
}

void TfrmMain::vxImageButton4Click() {
    ShowCalcDebt();
}

void TfrmMain::btnVisitToHomeClick() {
    m_prj.OpenHomePage();
}

// -------------------------------------------------------------------- tray

namespace {
// The tag of the menu's quit entry, the one entry that works under a dialog.
constexpr int kQuitTag = 6;
} // namespace

void TfrmMain::BuildTray() {
    imgsMenu = MenuIcons();
    popTray = new QMenu(this);
    m_menuStyle = new TvxFlatMenuStyle;
    m_menuStyle->setParent(this);
    popTray->setStyle(m_menuStyle);
    popTray->setFont(Look::GulimFont(12));

    auto item = [this](const QString& caption, int tag, int icon, void (TfrmMain::*handler)()) {
        QAction* action = popTray->addAction(caption);
        action->setData(tag);
        if (icon >= 0)
            action->setIcon(imgsMenu.value(icon));
        connect(action, &QAction::triggered, this, [this, action, tag, handler] {
            // A tray that shows an exported copy of the menu keeps it live
            // while a dialog is up, and its entries would pile dialogs on
            // each other: under a dialog they only bring it to the front.
            // Quit works from any state.
            if (tag != kQuitTag && RaiseOpenDialog()) {
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                return;
            }
            (this->*handler)();
        });
        return action;
    };
    mnCalcDebt = item(QStringLiteral("(&C) 내가 핀 담배값 계산"), 1, 0, &TfrmMain::mnCalcDebtClick);
    mnShowGrade = item(QStringLiteral("(&G) 시민 등급 보기"), 2, 1, &TfrmMain::mnShowGradeClick);
    mnToMe = item(QStringLiteral("(&M) 서약서 보기"), 3, 2, &TfrmMain::mnToMeClick);
    popTray->addSeparator();
    mnShowCalendar = item(QStringLiteral("(&A) 달력 보기"), 0, -1, &TfrmMain::mnShowCalendarClick);
    mnShowCalendar->setCheckable(true);
    mnShowCalendar->setChecked(true);
    mnShowTvl = item(QStringLiteral("(&S) Tarvell 보기"), 4, 3, &TfrmMain::mnShowTvlClick);
    mnTvlBoard = item(QStringLiteral("(&H) Tarvell 홈페이지"), 5, 5, &TfrmMain::mnTvlBoardClick);
    popTray->addSeparator();
    mnClose = item(QStringLiteral("(&X) 프로그램 종료"), kQuitTag, -1, &TfrmMain::mnCloseClick);

    m_trayHost = new TvxTrayHost(this);
    connect(m_trayHost, &TvxTrayHost::Changed, this, &TfrmMain::TrayHostChanged);
    if (m_trayHost->MayMakeIcon())
        MakeTrayIcon();
}

void TfrmMain::MakeTrayIcon() {
    // Qt settles on the kind of tray when the first icon is made, and keeps
    // it: made before any tray is there, the icon would wait for the
    // desktop's older kind of tray for good and never reach a newer kind
    // that starts later.
    tray = new QSystemTrayIcon(AppIcon(), this);
    tray->setObjectName(QStringLiteral("tray"));
    tray->setContextMenu(popTray);
    connect(tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { trayActivated(int(reason)); });
    tray->show();
    PlatformNotify::SetTrayIcon(tray);
    m_trayHost->IconMade();
}

void TfrmMain::TrayHostChanged() {
    if (!tray && m_trayHost->MayMakeIcon())
        MakeTrayIcon();
    // The tray went away while the window rested there: without it nothing
    // could bring the window back.
    if (!TrayUsable() && !m_reallyClosing && m_inTray)
        ShowFromTray();
}

void TfrmMain::trayActivated(int reason) {
    switch (QSystemTrayIcon::ActivationReason(reason)) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        trayClick();
        break;
    case QSystemTrayIcon::Context:
        // The menu's entries do nothing but this while a dialog is up.
        RaiseOpenDialog();
        break;
    default:
        break;
    }
}

void TfrmMain::trayClick() {
    // A dialog the program waits for may be hidden behind other windows;
    // the tray is where the user looks for the program, so it brings the
    // dialog back rather than hiding the window the dialog belongs to.
    if (RaiseOpenDialog())
        return;
    mnShowTvlClick();
}

void TfrmMain::BringToFront() {
    // Never a toggle: whoever asks wants to see the program.
    if (RaiseOpenDialog())
        return;
    ShowFromTray();
}

bool TfrmMain::RaiseOpenDialog() {
    return TvxModalDialog::BringBack(QApplication::activeModalWidget());
}

int TfrmMain::ExecOwned(QDialog& dialog) {
    // Modal to this window only: the tray icon is a window of its own and
    // would be blocked by an application-wide modal dialog, its clicks lost.
    // Whether a dialog is up is asked of the application each time, never
    // counted here: however a dialog ends, the program is back to normal.
    dialog.setWindowModality(Qt::WindowModal);
    if (TvxModalDialog::SessionEnded())
        return 0; // no result of a dialog nor button of a box
    return dialog.exec();
}

namespace {
TvxAnswer answerOf(int result, int ok, int cancel) {
    return result == ok ? TvxAnswer::Ok : result == cancel ? TvxAnswer::Cancel : TvxAnswer::None;
}
} // namespace

TvxAnswer TfrmMain::ShowOwnedModal(TvxModalDialog& dialog) {
    return answerOf(ExecOwned(dialog), TvxModalDialog::mrOk, TvxModalDialog::mrCancel);
}

TvxAnswer TfrmMain::ShowOwnedModal(QMessageBox& box) {
    // A message box answers with the button pressed, not with a dialog's result.
    return answerOf(ExecOwned(box), QMessageBox::Ok, QMessageBox::Cancel);
}

void TfrmMain::SessionEnding() {
    if (m_reallyClosing && m_positionSaved)
        return;
    try {
        FormCloseQuery();
    } catch (const EFileError& error) {
        ShowErrorBox(error.message(), this);
    }
}

// ---------------------------------------------------------------- commands

void TfrmMain::mnCalcDebtClick() {
    ShowCalcDebt();
}

void TfrmMain::ShowCalcDebt() {
    // With its cancel button: a save reloads the left column through LoadState.
    TfrmCalcDebt dlg(m_prj, this, this);
    ShowOwnedModal(dlg);
}

void TfrmMain::mnShowGradeClick() {
    ShowGradeList();
}

void TfrmMain::ShowGradeList() {
    QList<QPixmap> icons;
    if (m_images)
        icons = m_images->imgGrade;
    else
        for (const QIcon& icon : GradeIcons())
            icons.append(icon.pixmap(32, 32));
    TfrmShowGrade dlg(icons, this);
    ShowOwnedModal(dlg);
}

void TfrmMain::mnToMeClick() {
    TfrmToMe dlg(m_prj, this);
    ShowOwnedModal(dlg);
}

void TfrmMain::ShowHistory() {
    TfrmShowLog dlg(m_prj, this);
    ShowOwnedModal(dlg);
}

void TfrmMain::ShowEffects() {
    TfrmNonEffect dlg(this);
    ShowOwnedModal(dlg);
}

void TfrmMain::mnTvlBoardClick() {
    m_prj.OpenHomePage();
}

// ------------------------------------------------------------ notifications

void TfrmMain::NotifyGrade(int grade, bool promotion) {
    if (!promotion || !m_inTray)
        return;
    PlatformNotify::Send(QStringLiteral("시민 등급"), TvxProgress::PromotionText(grade));
}

void TfrmMain::NotifyMilestone(int milestone) {
    if (!m_inTray)
        return;
    const QString body = EffectTitles[size_t(milestone - 1)] +
                         QStringLiteral(" 달성! 다음 목표: ") + EffectTitles[size_t(milestone)];
    PlatformNotify::Send(QStringLiteral("금연 효과"), body);
}
