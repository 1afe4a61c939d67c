// Kills a writer process at random moments while it writes the records, and
// checks after each kill that every file holds its content from just before
// or just after the interrupted write, and that the next start leaves no
// temporary file behind. TARVELL_CRASH_KILLS sets the number of kills. A
// relapse, which spans two files, is killed at every one of its steps, and
// so is the start that completes it.
#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"
#include "runtime/TextFile.h"
#include "tests/core/CrashScript.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <optional>

using TestSupport::TempProgramFolder;

namespace {

using Files = QMap<QString, QByteArray>;

constexpr int kWrites = 40;

bool isLeftover(const QString& name) {
    return name.contains(QStringLiteral(".~tarvell."));
}

// The records of a folder: every file but the lock and the temporary files.
Files recordsOf(const QString& folder, int* leftovers = nullptr) {
    Files files;
    if (leftovers)
        *leftovers = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (isLeftover(name)) {
            if (leftovers)
                ++*leftovers;
            continue;
        }
        if (name == QStringLiteral("plzNoSmoking.lock"))
            continue;
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            files.insert(name, f.readAll());
    }
    return files;
}

void putFiles(const QString& folder, const Files& files) {
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    for (auto it = files.begin(); it != files.end(); ++it) {
        QFile f(dir.filePath(it.key()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(it.value());
    }
}

// Each file of `seen` equals that file before or after one write.
bool explainedBy(const Files& seen, const Files& before, const Files& after) {
    QStringList names = seen.keys() + before.keys() + after.keys();
    names.removeDuplicates();
    for (const QString& name : names) {
        const auto value = [&](const Files& f) {
            return f.contains(name) ? std::optional<QByteArray>(f.value(name)) : std::nullopt;
        };
        if (value(seen) != value(before) && value(seen) != value(after))
            return false;
    }
    return true;
}

// Replays the script on a copy of `start` until a write explains `seen`:
// answers the number of writes that had completed, or -1.
int explain(const Files& start, const Files& seen, int seed, const QString& replayFolder) {
    putFiles(replayFolder, start);
    TvxPrjInfo prj(replayFolder);
    TvxAnniversary cursor(replayFolder);
    Files current = start;
    for (int k = 0; k <= kWrites; ++k) {
        Files next = current;
        if (k < kWrites) {
            CrashScript::Apply(prj, cursor, seed, k);
            next = recordsOf(replayFolder);
        }
        if (explainedBy(seen, current, next))
            return k;
        current = next;
    }
    return -1;
}

Files afterScript(int seed, const QString& replayFolder) {
    putFiles(replayFolder, {});
    TvxPrjInfo prj(replayFolder);
    TvxAnniversary cursor(replayFolder);
    for (int k = 0; k < kWrites; ++k)
        CrashScript::Apply(prj, cursor, seed, k);
    return recordsOf(replayFolder);
}

// Runs the writer to its end or to the step it dies at: answers whether it died.
bool diedAt(const QString& program, const QString& locks, int writes, int step) {
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER), {program, locks, QStringLiteral("relapse"),
                                                QString::number(writes), QString::number(step)});
    writer.closeWriteChannel();
    if (!writer.waitForFinished(120000))
        qFatal("the writer did not end");
    if (writer.exitStatus() == QProcess::NormalExit && writer.exitCode() != 0)
        qFatal("the writer failed: %s", writer.readAllStandardOutput().constData());
    return writer.exitStatus() == QProcess::CrashExit;
}

QString describe(const Files& files) {
    QStringList parts;
    for (auto it = files.begin(); it != files.end(); ++it)
        parts << QStringLiteral("%1 (%2 bytes)").arg(it.key()).arg(it.value().size());
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestCrash : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { Clock::Reset(); }
    void killedWritesLeaveWholeFiles_data();
    void killedWritesLeaveWholeFiles();
    void relapseKilledAtEveryStepIsWhole_data();
    void relapseKilledAtEveryStepIsWhole();
};

void TestCrash::killedWritesLeaveWholeFiles_data() {
    // In batches, each with a fresh folder, so that many kills stay within
    // the time a test function is given.
    QTest::addColumn<int>("kills");
    QTest::addColumn<quint32>("seed");
    int kills = qEnvironmentVariableIsSet("TARVELL_CRASH_KILLS")
                    ? qEnvironmentVariableIntValue("TARVELL_CRASH_KILLS")
                    : 30;
    for (quint32 batch = 1; kills > 0; ++batch, kills -= 50)
        QTest::addRow("batch %u", batch) << std::min(kills, 50) << 20261208u + batch;
}

void TestCrash::killedWritesLeaveWholeFiles() {
    QFETCH(int, kills);
    QFETCH(quint32, seed);
    TempProgramFolder program;
    TempProgramFolder locks;
    TempProgramFolder replay;
    int warnings = 0;
    Desktop::SetWarningHandler([&](const QString&, const QString&) { ++warnings; });

    // Starts a writer and waits until it holds the locks.
    auto startWriter = [&](QProcess& writer, int seed) {
        writer.start(
            QStringLiteral(CRASH_WRITER),
            {program.path(), locks.path(), QString::number(seed), QString::number(kWrites)});
        if (writer.waitForReadyRead(60000) && writer.readLine().trimmed() == "READY")
            return true;
        qWarning("writer %d did not start: state %d, exit code %d, error %d, output %s %s", seed,
                 int(writer.state()), writer.exitCode(), int(writer.error()),
                 writer.readAllStandardOutput().constData(),
                 writer.readAllStandardError().constData());
        return false;
    };

    // One whole run: how long the script takes, and that a replay of it
    // writes the same files.
    QElapsedTimer timer;
    {
        QProcess writer;
        QVERIFY(startWriter(writer, 0));
        timer.start();
        QVERIFY(writer.waitForReadyRead(60000));
        QCOMPARE(writer.readLine().trimmed(), QByteArray("DONE"));
        writer.closeWriteChannel();
        QVERIFY(writer.waitForFinished(60000));
    }
    const qint64 runMicros = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
    QCOMPARE(recordsOf(program.path()), afterScript(0, replay.path()));

    QRandomGenerator random(seed);
    int withLeftovers = 0;
    int midWrite = 0;
    for (int round = 1; round <= kills; ++round) {
        const Files start = recordsOf(program.path());
        QProcess writer;
        QVERIFY2(startWriter(writer, round), qPrintable(QString::number(round)));
        QThread::usleep(random.bounded(quint32(runMicros)));
        writer.kill();
        QVERIFY(writer.waitForFinished(60000));

        int leftovers = 0;
        const Files seen = recordsOf(program.path(), &leftovers);
        withLeftovers += leftovers > 0 ? 1 : 0;
        const bool decided = QFileInfo::exists(program.file(QStringLiteral(".~tarvell.journal")));
        const int done = explain(start, seen, round, replay.path());

        QVERIFY2(done >= 0,
                 qPrintable(QStringLiteral("kill %1: %2").arg(round).arg(describe(seen))));
        midWrite += (done > 0 && done < kWrites) ? 1 : 0;

        // The next start takes over the dead writer's locks and clears its
        // temporary files; the records themselves stay as they are.
        {
            TvxPrjInfo next(program.path(), locks.path());
            QVERIFY(next.CheckSingleInstance());
        }
        // Only the records remain: no temporary file, no lock.
        QStringList names = QDir(program.path()).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        const Files after = recordsOf(program.path());
        QCOMPARE(names, QStringList(after.keys()));
        // They stay as they were, unless a relapse was cut off once it was
        // decided: the start completes it (see the next test).
        QVERIFY(after == seen || decided);
    }
    QCOMPARE(warnings, 0);
    qInfo("%d kills, %d of them part-way through the script, %d left temporary files "
          "(a run of %d writes takes %lld ms)",
          kills, midWrite, withLeftovers, kWrites, runMicros / 1000);
    Desktop::SetWarningHandler({});
}

void TestCrash::relapseKilledAtEveryStepIsWhole_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("log");
    QTest::newRow("first relapse") << QByteArray() << QByteArray();
    QTest::newRow("third relapse")
        << QByteArray("[Date]\r\nStart=2026-01-01 09:00:00\r\nRestart=2026-11-30 08:00:00\r\n"
                      "[Personal]\r\nCount Retry=2\r\nGrade=3\r\n")
        << Cp949::encode(QStringLiteral("다시 시작 :2026-02-01 10:00:00\r\n"
                                        "    승 급 :2026-02-02 10:00:00   평민...!!\r\n"
                                        "다시 시작 :2026-11-30 08:00:00"));
}

void TestCrash::relapseKilledAtEveryStepIsWhole() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, log);
    Files before;
    if (!ini.isEmpty())
        before.insert(QStringLiteral("plzNoSmoking.ini"), ini);
    if (!log.isEmpty())
        before.insert(QStringLiteral("plzNoSmoking.log"), log);
    TempProgramFolder locks;
    TempProgramFolder program;
    putFiles(program.path(), before);
    QVERIFY(!diedAt(program.path(), locks.path(), 1, 0));
    const Files after = recordsOf(program.path());
    QVERIFY(after != before);

    // Cut at any step, and the start that follows cut at any step of its
    // own: the next start finds the records as before or as after the
    // relapse, as a whole, and nothing else beside them.
    int kills = 0;
    int completed = 0;
    for (int step = 1;; ++step) {
        for (int startStep = 1;; ++startStep) {
            putFiles(program.path(), before);
            if (!diedAt(program.path(), locks.path(), 1, step)) {
                QVERIFY(completed > 0 && completed < kills);
                return;
            }
            const bool startDied = diedAt(program.path(), locks.path(), 0, startStep);
            {
                TvxPrjInfo next(program.path(), locks.path());
                QVERIFY(next.CheckSingleInstance());
            }
            int leftovers = 0;
            const Files now = recordsOf(program.path(), &leftovers);
            QVERIFY2((now == before || now == after) && leftovers == 0,
                     qPrintable(QStringLiteral("relapse cut at step %1, start at %2: %3")
                                    .arg(step)
                                    .arg(startStep)
                                    .arg(describe(now))));
            if (!startDied) {
                ++kills;
                completed += now == after ? 1 : 0;
                break;
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
