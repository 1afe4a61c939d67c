// How long one month of calendar look-ups takes: for each of the 42 cells,
// the holiday and the anniversaries from their yearly files and the lunar
// label. Prints the mean and the best time per month.
#include "core/ProjectInfo.h"
#include "runtime/DateTime.h"
#include "runtime/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

void measure(const char* what, TvxAnniversary& cursor, int months) {
    cursor.Year = 2026;
    qint64 best = INT64_MAX;
    qint64 total = 0;
    size_t sink = 0;
    QElapsedTimer timer;
    for (int i = 0; i < months; ++i) {
        cursor.Month = uint16_t(i % 12 + 1);
        timer.start();
        for (int cell = 0; cell < 42; ++cell) {
            const uint16_t day = uint16_t(cell % 31 + 1);
            cursor.Day = day;
            QString label = cursor.ReadHoliday(day);
            if (label.isEmpty())
                label = cursor.LunarText();
            sink += size_t(label.size()) + size_t(cursor.ReadAnniversaries(day).size());
        }
        const qint64 ns = timer.nsecsElapsed();
        best = std::min(best, ns);
        total += ns;
    }
    std::printf("%s\n  months: %d\n  mean: %.3f ms\n  best: %.3f ms\n  (check %zu)\n", what, months,
                double(total) / months / 1e6, double(best) / 1e6, sink);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';

    // A year of holidays and a busy year of anniversaries.
    QString holidays, anniversaries;
    for (int m = 1; m <= 12; ++m) {
        holidays += QStringLiteral("[%1]\r\n").arg(m);
        anniversaries += QStringLiteral("[%1]\r\n").arg(m);
        for (int d = 1; d <= 28; d += 3) {
            holidays += QStringLiteral("%1=공휴일 %1\r\n").arg(d);
            anniversaries += QStringLiteral("%1=\"생일,\"\"결혼 기념일\"\",모임\"\r\n").arg(d);
        }
    }
    TextFile::writeText(folder + "Holiday - 2026.dat", holidays, TextFile::ErrorKind::CannotCreate);
    TextFile::writeText(folder + "Anniversary - 2026.dat", anniversaries,
                        TextFile::ErrorKind::CannotCreate);

    // The installed program's usual case: no holiday file of the user's own,
    // the shipped one found in the installed data folder.
    QTemporaryDir records;
    const QString recordsFolder = records.path() + u'/';
    TextFile::writeText(recordsFolder + "Anniversary - 2026.dat", anniversaries,
                        TextFile::ErrorKind::CannotCreate);

    const int months = argc > 1 ? std::max(1, atoi(argv[1])) : 600;
    std::printf("calendar month (42 cells: holiday, anniversaries, lunar label)\n");
    TvxAnniversary portable(folder);
    measure("holidays in the records folder", portable, months);
    TvxAnniversary installed(recordsFolder, folder);
    measure("holidays in the installed data folder", installed, months);
    return 0;
}
