// Renders Tarvell's windows offscreen, with a sample program folder and a
// fixed clock, into PNG files: the pictures of the README.
//   tarvell_screenshot <output folder>
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

#include <QDir>
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
