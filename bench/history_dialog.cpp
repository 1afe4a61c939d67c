// The history dialog on a long log: the time from opening it to its first
// paint, for a log of the given number of lines (default 200,000). Peak
// memory is measured around it: /usr/bin/time -v bench_history_dialog.
#include "core/ProjectInfo.h"
#include "dialogs/ShowLog.h"
#include "runtime/TextFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 200000;
    QTemporaryDir dir;
    TvxPrjInfo prj(dir.path());
    QByteArray log;
    for (int i = 0; i < lines; ++i)
        log +=
            Cp949::encode(i % 2 ? QStringLiteral("다시 시작 :2026-12-07 12:43:14\r\n")
                                : QStringLiteral("    승 급 :2026-12-08 12:43:15   평민...!!\r\n"));
    TextFile::saveBytes(prj.LogFileName(), log, TextFile::ErrorKind::CannotCreate);

    QElapsedTimer timer;
    timer.start();
    TfrmShowLog dialog(prj);
    const qint64 built = timer.elapsed();
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog, 60000))
        return 1;
    QApplication::processEvents();
    const qint64 shown = timer.elapsed();
    // To the end of the history and back, as a user checking the latest line.
    dialog.mem->moveCursor(QTextCursor::End);
    dialog.mem->ensureCursorVisible();
    QApplication::processEvents();
    std::printf(
        "%d lines (%lld bytes): built in %lld ms, shown in %lld ms, at the end in %lld ms\n", lines,
        qint64(log.size()), built, shown, timer.elapsed());
    return 0;
}
