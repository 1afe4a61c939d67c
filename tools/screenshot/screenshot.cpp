// Renders Tarvell's windows offscreen, with a sample program folder and a
// fixed clock, into PNG files: the pictures of the README.
//   tarvell_screenshot <output folder>
#include "calendar/EditAnniversary.h"
#include "calendar/HintGrid.h"
#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/DontBear.h"
#include "dialogs/Sorry.h"
#include "dialogs/ToMe.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitToMe.h"
#include "dialogs/WaitWater.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "runtime/DateTime.h"
#include "runtime/TextFile.h"
#include "tools/holidays/HolidayRules.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    QTemporaryDir folder;
    TvxPrjInfo prj(folder.path());
    TvxAnniversary cursor(folder.path());
    TfrmImagesRes images;

    // Forty-five days, three hours and a bit since the last restart.
    Clock::SetNow(EncodeDateTime(2026, 12, 8, 14, 25, 37));
    IniProfile ini = prj.Ini();
    ini.WriteInteger(Keys::Personal, Keys::Debt, 9125000);
    ini.WriteInteger(Keys::Personal, Keys::CigarPrice, 225);
    ini.WriteInteger(Keys::Personal, Keys::Every, 3240);
    ini.WriteInteger(Keys::Personal, Keys::CountRetry, 1);
    ini.WriteInteger(Keys::Personal, Keys::Grade, 9);
    ini.WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 9, 1, 8, 0, 0));
    ini.WriteDateTime(Keys::Date, Keys::Restart, EncodeDateTime(2026, 10, 24, 11, 13, 2));

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

    TfrmMain main(prj, cursor, &images);
    main.SetTrayAvailableForTesting(0);
    main.LoadState();
    for (int i = 0; i < 3; ++i) {
        Clock::Advance(1);
        main.tmrCountTimer();
    }
    main.show();
    app.processEvents();
    auto save = [&](QWidget& w, const char* name) {
        w.show();
        app.processEvents();
        const QString file = QDir(out).filePath(QString::fromLatin1(name));
        w.grab().save(file);
        w.hide();
        std::printf("%s\n", qPrintable(file));
    };
    save(main, "main-window.png");

    // The calendar alone: October 2026 with its holidays, a substitute day,
    // anniversaries, today (the 6th), a selected block and a hint.
    {
        Clock::SetNow(EncodeDateTime(2026, 10, 6, 9, 30, 0));
        main.show();
        cursor.Month = 10;
        cursor.Day = 0;
        main.FillMonth();
        main.grdCa->SetSelection(QRect(QPoint(2, 2), QPoint(3, 3)));
        app.processEvents();
        QPixmap shot = main.grab(QRect(203, 4, 569, 477));
        const QRect day17 = main.grdCa->CellRect(6, 2);
        const QPoint at = day17.center();
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(main.grdCa->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(main.grdCa, &move);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<THintWindow*>(top) && top->isVisible()) {
                QPainter p(&shot);
                p.drawPixmap(day17.topLeft() + main.grdCa->pos() - QPoint(203, 4), top->grab());
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
    return 0;
}
