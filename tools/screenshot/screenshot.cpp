// Renders Tarvell's windows with a sample program folder and a fixed clock
// into PNG files: the pictures of the README.
//   tarvell_screenshot <output folder>
// On a desktop (tools/screenshot/shoot.sh runs it on a virtual one with a
// window manager) the windows are framed as users see them. Without one it
// renders offscreen; the offscreen platform would put a make-believe frame
// of its own around the main window and change its client size, so that
// frame is turned off and the window keeps the size it has on a desktop.
#include "calendar/EditAnniversary.h"
#include "calendar/HintGrid.h"
#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/DontBear.h"
#include "dialogs/NonEffect.h"
#include "dialogs/ShowGrade.h"
#include "dialogs/ShowLog.h"
#include "dialogs/Sorry.h"
#include "dialogs/ToMe.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitToMe.h"
#include "dialogs/WaitWater.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/ModifyDateTime.h"
#include "mainwindow/main.h"
#include "platform/Platform.h"
#include "runtime/DateTime.h"
#include "runtime/TextFile.h"
#include "tools/holidays/HolidayRules.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <cstdio>
#include <cstdlib>

namespace {

// Lets queued work (the window manager's framing, the window's own resize
// after it) settle for a moment.
void settle(QApplication& app, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        app.processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    const bool desktop = !qEnvironmentVariableIsEmpty("DISPLAY") &&
                         qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb"))
                             .startsWith(QLatin1String("xcb"));
    QTemporaryDir config;
    const QString startFolder = QDir::currentPath();
    if (!desktop) {
        QFile f(config.filePath(QStringLiteral("offscreen.json")));
        if (f.open(QIODevice::WriteOnly))
            f.write(R"({ "windowFrameMargins": false,
                         "screens": [ { "name": "shot", "x": 0, "y": 0,
                                        "width": 1280, "height": 800 } ] })");
        f.close();
        // Named from its own folder: the platform's arguments are split at
        // colons, and a Windows path has one after its drive letter.
        QDir::setCurrent(config.path());
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=offscreen.json");
    }
    TApplication app(argc, argv);
    QDir::setCurrent(startFolder);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    QTemporaryDir folder;
    TvxPrjInfo prj(folder.path());
    TvxAnniversary cursor(folder.path());
    TfrmImagesRes images;

    // Forty-five days, three hours and a bit since the last restart.
    Clock::SetNow(EncodeDateTime(2026, 12, 8, 14, 25, 37));
    prj.WriteCostRecord(9125000, 3240, 225);
    prj.WriteRetryCount(1);
    prj.WriteGrade(9);
    prj.WriteStart(EncodeDateTime(2026, 9, 1, 8, 0, 0));
    // A relapse of the sample's past, at a moment of its own.
    prj.Ini().WriteDateTime(Keys::Date, Keys::Restart, EncodeDateTime(2026, 10, 24, 11, 13, 2));

    // The year's holidays and a few anniversaries, as a user's folder has them.
    for (int year : {2026, 2027})
        TextFile::writeLines(QDir(folder.path()).filePath(Holidays::FileName(year)),
                             Holidays::FileLines(year), TextFile::ErrorKind::CannotCreate);
    auto anniversary = [&cursor](int month, int day, const QStringList& entries) {
        cursor.Year = 2026;
        cursor.Month = uint16_t(month);
        cursor.Day = uint16_t(day);
        cursor.WriteAnniversaries(entries);
    };
    anniversary(10, 1, {QStringLiteral("엄마 생신")});
    anniversary(10, 9, {QStringLiteral("한글날 백일장")});
    anniversary(10, 17, {QStringLiteral("결혼기념일"), QStringLiteral("저녁 7시 예약")});
    anniversary(10, 24, {QStringLiteral("금연 9개월")});
    anniversary(12, 3, {QStringLiteral("친구 생일")});
    anniversary(12, 25, {QStringLiteral("가족 모임"), QStringLiteral("성당")});
    cursor.Month = 12;
    cursor.Day = 0;

    // No tray: the window stays on the screen whatever is asked of it.
    TvxPlatformStandIn noTray;
    noTray.TrayShown = 0;
    PlatformStandIn::Set(&noTray);
    TfrmMain main(prj, cursor, &images);
    main.LoadState();
    for (int i = 0; i < 3; ++i) {
        Clock::Advance(1);
        main.tmrCountTimer();
    }
    main.show();
    settle(app, desktop ? 800 : 50);
    auto save = [&](QWidget& w, const char* name) {
        w.show();
        settle(app, desktop ? 400 : 20);
        const QString file = QDir(out).filePath(QString::fromLatin1(name));
        w.grab().save(file);
        w.hide();
        std::printf("%s  %dx%d\n", qPrintable(file), w.width(), w.height());
    };
    save(main, "main-window.png");
    main.show();
    settle(app, desktop ? 400 : 20);

    // The calendar alone: October 2026 with its holidays, a substitute day,
    // anniversaries, today (the 6th), a selected block and a hint.
    {
        Clock::SetNow(EncodeDateTime(2026, 10, 6, 9, 30, 0));
        main.show();
        cursor.Month = 10;
        cursor.Day = 0;
        main.FillMonth();
        THintGrid* grid = main.findChild<THintGrid*>(QStringLiteral("grdCa"));
        grid->SetSelection(QRect(QPoint(2, 2), QPoint(3, 3)));
        app.processEvents();
        QPixmap shot = main.grab(QRect(203, 4, 569, 477));
        const QRect day17 = grid->CellRect(6, 2);
        const QPoint at = day17.center();
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(grid->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<THintWindow*>(top) && top->isVisible()) {
                QPainter p(&shot);
                p.drawPixmap(day17.topLeft() + grid->pos() - QPoint(203, 4), top->grab());
            }
        }
        const QString file = QDir(out).filePath(QStringLiteral("calendar.png"));
        shot.save(file);
        std::printf("%s\n", qPrintable(file));
        main.hide();
    }
    {
        cursor.Month = 10;
        cursor.Day = 17;
        TfrmEditAnniversary edit(cursor, &main);
        edit.SetMemoLines(cursor.ReadAnniversaries(17) << QStringLiteral("꽃 찾아오기"));
        save(edit, "anniversary-editor.png");
    }

    prj.WritePledge(QStringLiteral("나는 오늘부터 담배를 끊는다.\n가족과 나 자신을 위해서."));
    {
        TfrmCalcDebt calc(prj);
        calc.SetFirstRunMode();
        save(calc, "calculator-first-run.png");
    }
    {
        TfrmCalcDebt calc(prj, &main);
        save(calc, "calculator.png");
    }
    {
        TfrmToMe toMe(prj);
        save(toMe, "pledge.png");
    }
    {
        TfrmWaitToMe wait(prj);
        save(wait, "pledge-craving.png");
    }
    {
        TfrmCheckSmoke check(prj);
        save(check, "daily-check.png");
    }
    {
        TfrmSorry sorry(&main);
        save(sorry, "relapse.png");
    }
    {
        TfrmWaitWater water(&main);
        save(water, "craving-water.png");
    }
    {
        TfrmWaitShowWeb board(prj, &main);
        save(board, "craving-board.png");
    }
    {
        TfrmDontBear appeal(&main);
        save(appeal, "craving-last-appeal.png");
    }

    // The commands of the tray and of the small buttons beside the values.
    {
        TfrmShowGrade grades(images.imgGrade, &main);
        save(grades, "grade-list.png");
    }
    prj.AppendLog(QStringLiteral("    승 급 :2026-09-02 08:00:01   평민...!!"));
    prj.AppendLog(QStringLiteral("    승 급 :2026-09-04 08:00:01   병사...!!"));
    prj.AppendLog(QStringLiteral("다시 시작 :2026-09-05 23:41:09"));
    prj.AppendLog(QStringLiteral("    승 급 :2026-10-25 11:13:03   평민...!!"));
    prj.AppendLog(QStringLiteral("    승 급 :2026-10-27 11:13:03   병사...!!"));
    prj.AppendLog(QStringLiteral("    승 급 :2026-10-31 11:13:03   기사...!!"));
    {
        TfrmShowLog history(prj, &main);
        save(history, "history.png");
    }
    {
        TfrmNonEffect effects(&main);
        save(effects, "health-effects.png");
    }
    {
        TfrmModifyDateTime modify(&main);
        modify.pckDate->setSelectedDate(QDate(2026, 9, 1));
        modify.pckTime->setTime(QTime(8, 0, 0));
        save(modify, "start-date.png");
    }
    {
        // The tray menu as it opens, the pointer resting on its second item.
        QMenu* menu = main.findChild<QMenu*>(QStringLiteral("popTray"));
        menu->popup(main.mapToGlobal(QPoint(20, 20)));
        menu->setActiveAction(main.findChild<QAction*>(QStringLiteral("mnShowGrade")));
        settle(app, desktop ? 300 : 20);
        const QString file = QDir(out).filePath(QStringLiteral("tray-menu.png"));
        menu->grab().save(file);
        menu->hide();
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
