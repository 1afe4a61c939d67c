// How long the main window's calendar takes to repaint a whole month, with a
// program folder as users have it: the year's holiday file and
// anniversaries on a third of the days. A paint reads both yearly files and
// converts the date of every day cell, so this is the calendar's real cost.
// Also counts the file reads of the mouse moving over the grid.
//   bench_calendar_repaint [rounds] [megabytes]
// With megabytes, both yearly files are padded to about that size with
// sections of other keys before the months (a year kept by hand for
// decades, or a file gone wrong), and the first paint is timed on its own.
#include "calendar/HintGrid.h"
#include "core/ProjectInfo.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "platform/Platform.h"
#include "runtime/DateTime.h"
#include "runtime/TextFile.h"
#include "tools/holidays/HolidayRules.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void moveMouse(QWidget* w, const QPoint& pos) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

double ms(qint64 ns) {
    return double(ns) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    const int megabytes = argc > 2 ? std::max(0, atoi(argv[2])) : 0;

    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const int year = 2026;
    QStringList padding;
    for (qint64 size = 0, n = 0; size < qint64(megabytes) << 20; ++n) {
        if (n % 1000 == 0)
            padding << QStringLiteral("[옛 기록 %1]").arg(n / 1000);
        padding << QStringLiteral("%1=\"지난 일, 오래된 메모 한 줄\"").arg(n % 1000 + 1);
        size += Cp949::encode(padding.last()).size() + 2;
    }
    TextFile::writeLines(folder + Holidays::FileName(year), padding + Holidays::FileLines(year),
                         TextFile::ErrorKind::CannotCreate);
    // Anniversaries on every third day, two or three entries each.
    QStringList lines = padding;
    for (int m = 1; m <= 12; ++m) {
        lines << QStringLiteral("[%1]").arg(m);
        for (int d = 3; d <= 31; d += 3)
            lines << QStringLiteral("%1=\"생일,\"결혼 기념일\"%2\"")
                         .arg(d)
                         .arg(d % 2 ? QStringLiteral(",동창 모임") : QString());
    }
    TextFile::writeLines(folder + QStringLiteral("Anniversary - %1.dat").arg(year), lines,
                         TextFile::ErrorKind::CannotCreate);

    Clock::SetNow(EncodeDateTime(year, 12, 8, 14, 0, 0));
    TvxPrjInfo prj(folder, folder);
    TvxAnniversary cursor(folder);
    TfrmImagesRes images;
    // No tray: the window stays on the screen whatever is asked of it.
    TvxPlatformStandIn noTray;
    noTray.TrayShown = 0;
    PlatformStandIn::Set(&noTray);
    TfrmMain main(prj, cursor, &images);
    THintGrid* grid = main.findChild<THintGrid*>(QStringLiteral("grdCa"));
    main.show();
    app.processEvents();
    QElapsedTimer first;
    first.start();
    main.FormActivate();
    grid->repaint();
    const qint64 firstPaint = first.nsecsElapsed();
    std::printf("yearly files: %.1f MB each; first paint of the calendar: %.1f ms\n",
                double(QFileInfo(folder + Holidays::FileName(year)).size()) / (1 << 20),
                ms(firstPaint));

    std::vector<qint64> times;
    qint64 reads = 0, days = 0;
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        for (int m = 1; m <= 12; ++m) {
            cursor.Month = uint16_t(m);
            main.FillMonth();
            const qint64 before = TextFile::readCount();
            timer.start();
            grid->repaint(); // paints at once, through the window's backing store
            times.push_back(timer.nsecsElapsed());
            reads += TextFile::readCount() - before;
            days += DaysInMonth(year, m);
        }
    }
    std::sort(times.begin(), times.end());
    qint64 total = 0;
    for (qint64 t : times)
        total += t;
    std::printf("calendar month repaint (holiday file, anniversaries on a third of the days)\n");
    std::printf("  months painted: %zu\n", times.size());
    std::printf("  mean:   %.3f ms\n  median: %.3f ms\n  best:   %.3f ms\n  worst:  %.3f ms\n",
                ms(total) / double(times.size()), ms(times[times.size() / 2]), ms(times.front()),
                ms(times.back()));
    std::printf("  file reads per day cell: %.2f, per paint: %.2f\n", double(reads) / double(days),
                double(reads) / double(times.size()));

    // Hovering: the mouse sweeps every row of December in small steps.
    cursor.Month = 12;
    main.FillMonth();
    app.processEvents();
    const qint64 before = TextFile::readCount();
    int newDays = 0, moves = 0;
    QString lastCell;
    for (int y = 5; y < grid->height(); y += 71) {
        for (int x = 0; x < grid->width(); x += 2) {
            moveMouse(grid, QPoint(x, y + (x / 7) % 60));
            ++moves;
            int c, r;
            if (grid->MouseToCell(QPoint(x, y), c, r)) {
                const QString cell = QStringLiteral("%1,%2").arg(c).arg(r);
                if (cell != lastCell && grid->Day(c, r) > 0)
                    ++newDays;
                lastCell = cell;
            }
        }
    }
    std::printf("hovering over December: %d mouse moves, %d arrivals on a day, %lld file reads\n",
                moves, newDays, static_cast<long long>(TextFile::readCount() - before));
    return 0;
}
