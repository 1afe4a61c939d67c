// Usage: crash_writer <program folder> <lock folder> <seed | relapse> <writes> [<die at step>]
// Takes the program's locks as the program does, prints READY, runs the
// writes of the crash script (or, for "relapse", that many relapses at one
// fixed moment), prints DONE and, unless given a step, waits until standard
// input closes. The
// crash test kills it somewhere along the way; given a step, it kills
// itself at that step of its saves, counted from its start: as abruptly as
// a power cut leaves a process, with no handler, flush or destructor run.
#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/core/CrashScript.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {
void dieNow() {
#ifdef Q_OS_WIN
    // A code with the high bit set is a status of the system's, as a
    // process ended by a fault or by another gets: QProcess reads a crash.
    ::TerminateProcess(::GetCurrentProcess(), 0xC000013A);
#else
    ::kill(::getpid(), SIGKILL);
#endif
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return 2;
    if (argc > 5) {
        const int dieAt = std::atoi(argv[5]);
        TextFile::SetStepHook([dieAt, steps = 0]() mutable {
            if (++steps == dieAt)
                dieNow();
        });
    }
    Desktop::SetWarningHandler([](const QString&, const QString&) {});
    const QString folder = QString::fromLocal8Bit(argv[1]);
    TvxPrjInfo prj(folder, QString::fromLocal8Bit(argv[2]));
    if (!prj.CheckSingleInstance())
        return 3;
    TvxAnniversary cursor(folder);
    const bool relapses = std::string(argv[3]) == "relapse";
    const int seed = std::atoi(argv[3]);
    const int writes = std::atoi(argv[4]);
    std::printf("READY\n");
    std::fflush(stdout);
    try {
        for (int i = 0; i < writes; ++i) {
            if (relapses) {
                Clock::SetNow(CrashScript::RelapseMoment());
                prj.Restart();
            } else {
                CrashScript::Apply(prj, cursor, seed, i);
            }
        }
    } catch (const EFileError& e) {
        std::printf("ERROR %s\n", e.message().toUtf8().constData());
        return 4;
    }
    std::printf("DONE\n");
    std::fflush(stdout);
    // A writer told where to die and still alive has nothing more to wait
    // for; the end of its input may never come where the pipe's other end
    // was inherited by a process started at the same moment.
    if (argc > 5)
        return 0;
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
