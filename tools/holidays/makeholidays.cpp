// Writes the holiday files of every year the lunar table covers into a
// folder, in the CP949 settings-file form the calendar reads:
//   tarvell_makeholidays <folder>
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tools/holidays/HolidayRules.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvell_makeholidays <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        for (int year = Holidays::FirstYear; year <= Holidays::LastYear; ++year)
            TextFile::writeLines(QDir(folder).filePath(Holidays::FileName(year)),
                                 Holidays::FileLines(year), TextFile::ErrorKind::CannotCreate);
    } catch (const EFileError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
