// Usage: crash_writer <program folder> <lock folder> <seed> <writes>
// Takes the program's locks as the program does, prints READY, runs the
// writes of the crash script, prints DONE and waits until standard input
// closes. The crash test kills it with SIGKILL somewhere along the way.
#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "tests/core/CrashScript.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return 2;
    Desktop::SetWarningHandler([](const QString&, const QString&) {});
    const QString folder = QString::fromLocal8Bit(argv[1]);
    TvxPrjInfo prj(folder, QString::fromLocal8Bit(argv[2]));
    if (!prj.CheckSingleInstance())
        return 3;
    TvxAnniversary cursor(folder);
    const int seed = std::atoi(argv[3]);
    const int writes = std::atoi(argv[4]);
    std::printf("READY\n");
    std::fflush(stdout);
    try {
        for (int i = 0; i < writes; ++i)
            CrashScript::Apply(prj, cursor, seed, i);
    } catch (const EFileError& e) {
        std::printf("ERROR %s\n", e.message().toUtf8().constData());
        return 4;
    }
    std::printf("DONE\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
