#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <memory>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

class TestProjectInfo : public QObject {
    Q_OBJECT
private slots:
    void fileNames();
    void defaultsWithoutFile();
    void keysRoundTrip_data();
    void keysRoundTrip();
    void restartTwice();
    void logLinesKeepOtherLines_data();
    void logLinesKeepOtherLines();
    void restartCounts_data();
    void restartCounts();
    void restartWholeOrNothing_data();
    void restartWholeOrNothing();
    void pledgeRoundTrip_data();
    void pledgeRoundTrip();
    void failedLogWriteKeepsHistory();
    void homePageGoesToTheShell_data();
    void homePageGoesToTheShell();
    void secondInstanceIsRefused();
    void instanceMark_data();
    void instanceMark();
    void secondCopyOnTheSameRecordsIsRefused();
    void oddLocks_data();
    void oddLocks();
};

void TestProjectInfo::fileNames() {
    TempProgramFolder dir;
    QString noSlash = dir.path();
    noSlash.chop(1);
    TvxPrjInfo info(noSlash);
    QCOMPARE(info.ProgramFolder, dir.path());
    QCOMPARE(info.IniFileName(), dir.path() + "plzNoSmoking.ini");
    QCOMPARE(info.LogFileName(), dir.path() + "plzNoSmoking.log");
    QCOMPARE(info.PledgeFileName(), dir.path() + "ToMe.txt");
    QVERIFY(!info.InstanceMutex);
}

void TestProjectInfo::defaultsWithoutFile() {
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    QCOMPARE(info.ReadCigarPrice(), 100);
    QCOMPARE(info.ReadDebt(), 0);
    QCOMPARE(info.ReadRetryCount(), 0);
    const IniProfile ini = info.Ini();
    QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::Every, Keys::DefaultEvery), 6480);
    QCOMPARE(ini.ReadBool(Keys::Prog, Keys::ShowCalendar, true), true);
    QVERIFY(!ini.ValueExists(Keys::Date, Keys::Restart));
    QVERIFY(!dir.exists("plzNoSmoking.ini")); // reading creates nothing
}

void TestProjectInfo::keysRoundTrip_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("Debt") << Keys::Personal << Keys::Debt << 9125000;
    QTest::newRow("Cigar Price") << Keys::Personal << Keys::CigarPrice << 125;
    QTest::newRow("Every") << Keys::Personal << Keys::Every << 3240;
    QTest::newRow("Count Retry") << Keys::Personal << Keys::CountRetry << 3;
    QTest::newRow("Grade") << Keys::Personal << Keys::Grade << 18;
    QTest::newRow("Left") << Keys::Prog << Keys::Left << -120;
    QTest::newRow("Top") << Keys::Prog << Keys::Top << 40;
}

void TestProjectInfo::keysRoundTrip() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, value);
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    IniProfile ini = info.Ini();
    ini.WriteInteger(section, key, value);
    QCOMPARE(ini.ReadInteger(section, key, -999), value);
    QCOMPARE(dir.read("plzNoSmoking.ini"),
             QStringLiteral("[%1]\r\n%2=%3\r\n").arg(section, key).arg(value).toLatin1());
    if (key == Keys::Debt)
        QCOMPARE(info.ReadDebt(), value);
    if (key == Keys::CigarPrice)
        QCOMPARE(info.ReadCigarPrice(), value);
    if (key == Keys::CountRetry)
        QCOMPARE(info.ReadRetryCount(), value);
}

void TestProjectInfo::restartTwice() {
    FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    info.Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 1, 1, 9, 0, 0));
    info.Restart();
    QCOMPARE(dir.read("plzNoSmoking.log"),
             Cp949::encode(QStringLiteral("다시 시작 :2026-12-07 12:43:14\r\n")));
    QCOMPARE(info.ReadRetryCount(), 1);
    QVERIFY(info.Ini().ValueExists(Keys::Date, Keys::Restart));
    QCOMPARE(info.Ini().ReadString(Keys::Date, Keys::Restart, {}),
             QStringLiteral("2026-12-07 12:43:14"));

    clock.advance(86400 + 1);
    info.Restart();
    QCOMPARE(dir.read("plzNoSmoking.log"),
             Cp949::encode(QStringLiteral("다시 시작 :2026-12-07 12:43:14\r\n"
                                          "다시 시작 :2026-12-08 12:43:15\r\n")));
    QCOMPARE(info.ReadRetryCount(), 2);
    // The quit moment itself never moves.
    QCOMPARE(info.Ini().ReadString(Keys::Date, Keys::Start, {}),
             QStringLiteral("2026-01-01 09:00:00"));
}

void TestProjectInfo::logLinesKeepOtherLines_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("missing log") << QByteArray() << QByteArray();
    // A hand-edited log with LF-only ends and no final line end.
    QTest::newRow("LF ends, no final end")
        << QByteArray("first\nsecond") << QByteArray("first\nsecond\r\n");
    QTest::newRow("CR ends") << QByteArray("a\rb\r") << QByteArray("a\rb\r");
    QTest::newRow("saved as UTF-8 by an editor")
        << QString::fromUtf8("다시 시작 :2026-01-02 03:04:05\r\n").toUtf8()
        << QString::fromUtf8("다시 시작 :2026-01-02 03:04:05\r\n").toUtf8();
    QTest::newRow("UTF-8 mark") << QByteArray("\xef\xbb\xbfx\r\n")
                                << QByteArray("\xef\xbb\xbfx\r\n");
    QTest::newRow("damaged bytes")
        << QByteArray("\xff\x80\x00zz\r\n", 7) << QByteArray("\xff\x80\x00zz\r\n", 7);
    QTest::newRow("lone lead byte at the end")
        << QByteArray("\xb4\xd9\xbd\xc3\xb0") << QByteArray("\xb4\xd9\xbd\xc3\xb0\r\n");
}

void TestProjectInfo::logLinesKeepOtherLines() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, kept);
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    if (!before.isEmpty())
        dir.write("plzNoSmoking.log", before);
    info.AppendLog(QStringLiteral("    승 급 :2026-12-08 12:43:15   평민...!!"));
    const QByteArray line =
        "    \xbd\xc2 \xb1\xde :2026-12-08 12:43:15   \xc6\xf2\xb9\xce...!!\r\n";
    QCOMPARE(dir.read("plzNoSmoking.log"), kept + line);
    // A relapse on such a log records all three parts.
    FrozenClock clock(EncodeDateTime(2026, 12, 9, 7, 0, 0));
    info.Restart();
    QCOMPARE(dir.read("plzNoSmoking.log"),
             kept + line +
                 QByteArray("\xb4\xd9\xbd\xc3 \xbd\xc3\xc0\xdb :2026-12-09 07:00:00\r\n"));
    QCOMPARE(info.ReadRetryCount(), 1);
    QCOMPARE(info.Ini().ReadString(Keys::Date, Keys::Restart, {}),
             QStringLiteral("2026-12-09 07:00:00"));
}

void TestProjectInfo::restartCounts_data() {
    QTest::addColumn<QByteArray>("countValue");
    QTest::addColumn<int>("after");
    QTest::newRow("none yet") << QByteArray() << 1;
    QTest::newRow("three") << QByteArray("3") << 4;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << 17;
    QTest::newRow("not a number") << QByteArray("abc") << 1;
    QTest::newRow("largest count stays") << QByteArray("2147483647") << 2147483647;
}

void TestProjectInfo::restartCounts() {
    QFETCH(QByteArray, countValue);
    QFETCH(int, after);
    TempProgramFolder dir;
    dir.write("plzNoSmoking.ini", "[Personal]\r\nCount Retry=" + countValue + "\r\n");
    TvxPrjInfo info(dir.path());
    FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
    info.Restart();
    QCOMPARE(info.ReadRetryCount(), after);
}

void TestProjectInfo::restartWholeOrNothing_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("sizeLimit");
    const QByteArray ini = "[Date]\r\nStart=2026-01-01 09:00:00\r\n[Personal]\r\nCount Retry=2\r\n";
    const QByteArray log = Cp949::encode(QStringLiteral("다시 시작 :2026-02-01 10:00:00\r\n"));
    const QByteArray pad(400, 'x');
    // The log grows past the limit while the settings would still fit:
    // written in turn, the relapse would be in the settings but not the log.
    QTest::newRow("log too large to write") << ini << log + pad + "\r\n"
                                            << "" << 300;
    QTest::newRow("settings too large to write") << ini + "; " + pad + "\r\n" << log << "" << 300;
    QTest::newRow("a folder where the log goes") << ini << QByteArray() << "plzNoSmoking.log" << 0;
    QTest::newRow("a folder where the settings go")
        << QByteArray() << log << "plzNoSmoking.ini" << 0;
}

void TestProjectInfo::restartWholeOrNothing() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, log);
    QFETCH(QString, obstacle);
    QFETCH(int, sizeLimit);
    TempProgramFolder dir;
    if (!ini.isEmpty())
        dir.write("plzNoSmoking.ini", ini);
    if (!log.isEmpty())
        dir.write("plzNoSmoking.log", log);
    if (!obstacle.isEmpty())
        QDir(dir.path()).mkpath(obstacle + "/inside");
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    TvxPrjInfo info(dir.path());
    FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
    try {
        std::unique_ptr<TestSupport::FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit = std::make_unique<TestSupport::FileSizeLimit>(sizeLimit);
        info.Restart();
        QFAIL("the relapse was recorded");
    } catch (const EFileError&) {
    }
    // Nothing changed, nothing left behind.
    QCOMPARE(dir.read("plzNoSmoking.ini"), ini);
    QCOMPARE(dir.read("plzNoSmoking.log"), log);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);

    // Once the folder can take it, all three parts agree.
    if (!obstacle.isEmpty())
        QDir(dir.file(obstacle)).removeRecursively();
    info.Restart();
    QCOMPARE(dir.read("plzNoSmoking.log"),
             log + Cp949::encode(QStringLiteral("다시 시작 :2026-12-07 12:43:14\r\n")));
    QCOMPARE(info.Ini().ReadString(Keys::Date, Keys::Restart, {}),
             QStringLiteral("2026-12-07 12:43:14"));
    QCOMPARE(info.ReadRetryCount(), ini.isEmpty() ? 1 : 3);
}

void TestProjectInfo::pledgeRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two lines") << "나는\n끊는다" << Cp949::encode("나는\r\n끊는다");
    QTest::newRow("trailing break kept") << "a\n" << QByteArray("a\r\n");
    QTest::newRow("crlf input") << "a\r\nb" << QByteArray("a\r\nb");
    QTest::newRow("empty") << "" << QByteArray();
}

void TestProjectInfo::pledgeRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    QCOMPARE(info.ReadPledge(), QString());
    info.WritePledge(text);
    QCOMPARE(dir.read("ToMe.txt"), bytes);
    QString expected = text;
    expected.replace("\r\n", "\n");
    QCOMPARE(info.ReadPledge(), expected);
}

void TestProjectInfo::failedLogWriteKeepsHistory() {
    FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    info.Restart();
    const QByteArray log = dir.read("plzNoSmoking.log");
    try {
        TestSupport::FileSizeLimit limit(log.size() + 3); // too small for two lines
        info.AppendLog(QStringLiteral("second line"));
        QFAIL("no error");
    } catch (const EFileError& e) {
        QVERIFY2(e.message().startsWith(
                     QStringLiteral("Cannot create file \"%1\". ").arg(info.LogFileName())),
                 qPrintable(e.message()));
    }
    QCOMPARE(dir.read("plzNoSmoking.log"), log);
    // The pledge refuses characters it cannot keep and keeps its old text.
    info.WritePledge(QStringLiteral("약속"));
    QVERIFY_THROWS_EXCEPTION(EFileError, info.WritePledge(QString::fromUtf8("약속 🚭")));
    QCOMPARE(info.ReadPledge(), QStringLiteral("약속"));
}

void TestProjectInfo::homePageGoesToTheShell_data() {
    QTest::addColumn<QString>("opener"); // the script on PATH; empty: none
    QTest::addColumn<bool>("failed");
    QTest::newRow("opens") << "printf %s \"$1\" > \"$0.url\"" << false;
    QTest::newRow("opener fails") << "printf %s \"$1\" > \"$0.url\"; exit 3" << true;
    QTest::newRow("no opener") << "" << true;
}

// The page goes to the desktop's opener, and a failure to open it, at once
// or when the opener ends, is told with the address.
void TestProjectInfo::homePageGoesToTheShell() {
    QFETCH(QString, opener);
    QFETCH(bool, failed);
#ifdef Q_OS_WIN
    QSKIP("the shell's own opener cannot be replaced: it would open the user's browser");
#endif
    const QString url = QStringLiteral("https://nosmk.khepi.or.kr");
    TempProgramFolder bin;
    if (!opener.isEmpty()) {
        bin.write("xdg-open", "#!/bin/sh\n" + opener.toUtf8() + "\n");
        QFile(bin.path() + "/xdg-open").setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    QStringList failures;
    Desktop::SetOpenUrlHandler(&Desktop::OpenWithShell);
    Desktop::SetOpenFailedHandler([&](const QString& u) { failures << u; });
    TempProgramFolder dir;
    TvxPrjInfo(dir.path()).OpenHomePage();
    qputenv("PATH", path);
    if (!opener.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(bin.read("xdg-open.url"), url.toUtf8(), 60000);
    if (failed)
        QTRY_COMPARE_WITH_TIMEOUT(failures, QStringList{url}, 60000);
    else
        QTest::qWait(200); // time for a wrong report to arrive
    Desktop::SetOpenUrlHandler({});
    Desktop::SetOpenFailedHandler({});
    QCOMPARE(failures, failed ? QStringList{url} : QStringList());
}

void TestProjectInfo::secondInstanceIsRefused() {
    TempProgramFolder programDir;
    TempProgramFolder lockDir;
    const QStringList args{programDir.path(), lockDir.path()};

    QProcess first;
    first.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(first.waitForReadyRead(60000));
    QCOMPARE(first.readLine().trimmed(), QByteArray("ACQUIRED"));

    QProcess second;
    second.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(second.waitForFinished(60000));
    // Windows ends the helper's lines with CR LF.
    const QList<QByteArray> out =
        second.readAllStandardOutput().replace("\r\n", "\n").trimmed().split('\n');
    QCOMPARE(out.size(), 2); // the warning once, then the refusal
    QCOMPARE(out.at(0),
             "WARNING:" + TvxPrjInfo::WarningAlreadyRunning().toUtf8().replace("\r\n", "|"));
    QCOMPARE(out.at(1), QByteArray("REFUSED"));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(first.state() == QProcess::Running); // the first is not disturbed

    // A crashed instance leaves no stale mark behind.
    first.kill();
    QVERIFY(first.waitForFinished(60000));
    QProcess third;
    third.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(third.waitForReadyRead(60000));
    QCOMPARE(third.readLine().trimmed(), QByteArray("ACQUIRED"));
    third.closeWriteChannel();
    QVERIFY(third.waitForFinished(60000));
    QCOMPARE(third.exitCode(), 0);

    // No process wrote anything into the program folder.
    QCOMPARE(programDir.files(), QStringList());
}

// Only a copy that really holds the mark ends start-up; a mark that cannot be
// made at all (no runtime folder, a file in its way) lets the program run.
void TestProjectInfo::instanceMark_data() {
    QTest::addColumn<QString>("lockFolder");
    QTest::addColumn<bool>("heldByAnother");
    QTest::addColumn<bool>("only");
    QTest::newRow("free") << "locks" << false << true;
    QTest::newRow("held by another copy") << "locks" << true << false;
    QTest::newRow("cannot be made: a file in the way") << "afile/locks" << false << true;
}

void TestProjectInfo::instanceMark() {
    QFETCH(QString, lockFolder);
    QFETCH(bool, heldByAnother);
    QFETCH(bool, only);
    TempProgramFolder dir;
    dir.write("afile", "not a folder");
    QStringList warnings;
    Desktop::SetWarningHandler([&](const QString&, const QString& text) { warnings << text; });
    TvxPrjInfo other(dir.path(), dir.file(lockFolder));
    int calls = 0; // the running copy is asked to come to the front
    if (heldByAnother) {
        QVERIFY(other.CheckSingleInstance());
        other.OnActivationRequest([&calls] { ++calls; });
    }
    TvxPrjInfo info(dir.path(), dir.file(lockFolder));
    const bool result = info.CheckSingleInstance();
    Desktop::SetWarningHandler({});
    QCOMPARE(result, only);
    QCOMPARE(warnings, only ? QStringList() : QStringList{TvxPrjInfo::WarningAlreadyRunning()});
    if (heldByAnother)
        QTRY_VERIFY_WITH_TIMEOUT(calls > 0, 60000);
}

void TestProjectInfo::secondCopyOnTheSameRecordsIsRefused() {
    // Two sessions of one user: different per-user folders, the same records.
    TempProgramFolder programDir;
    TempProgramFolder lockDirA;
    TempProgramFolder lockDirB;
    programDir.write("plzNoSmoking.ini", "[Personal]\r\nDebt=1\r\n");
    programDir.write("plzNoSmoking.log.~tarvell.Ab12Cd", "half a log");
    programDir.write("ToMe.txt.backup", "the user's");
    // What start-ups left when killed while probing the folder: a dead
    // one's probe and its replacement go, a live one's stays.
    const QString liveProbe =
        ".tarvell-probe-" + QString::number(QCoreApplication::applicationPid());
    for (const QString& name : {QString(".tarvell-probe-2147483647"),
                                QString(".tarvell-probe-2147483647.aB3dE9"), liveProbe})
        programDir.write(name, "-");

    QProcess first;
    first.start(QStringLiteral(INSTANCE_HELPER), {programDir.path(), lockDirA.path()});
    QVERIFY(first.waitForReadyRead(60000));
    QCOMPARE(first.readLine().trimmed(), QByteArray("ACQUIRED"));
    // The leftover of a killed save is gone; nothing else is touched.
    QVERIFY(!programDir.exists("plzNoSmoking.log.~tarvell.Ab12Cd"));
    QVERIFY(programDir.exists("ToMe.txt.backup"));
    QVERIFY(!programDir.exists(".tarvell-probe-2147483647"));
    QVERIFY(!programDir.exists(".tarvell-probe-2147483647.aB3dE9"));

    // A save of the running copy is under way: a second copy must not touch it.
    programDir.write("plzNoSmoking.ini.~tarvell.Zz99zz", "being written");
    QProcess second;
    second.start(QStringLiteral(INSTANCE_HELPER), {programDir.path(), lockDirB.path()});
    QVERIFY(second.waitForFinished(60000));
    QVERIFY(second.readAllStandardOutput().trimmed().endsWith("REFUSED"));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(programDir.exists("plzNoSmoking.ini.~tarvell.Zz99zz"));

    // Killed, the first leaves no stale lock: the next copy takes over.
    first.kill();
    QVERIFY(first.waitForFinished(60000));
    QProcess third;
    third.start(QStringLiteral(INSTANCE_HELPER), {programDir.path(), lockDirB.path()});
    QVERIFY(third.waitForReadyRead(60000));
    QCOMPARE(third.readLine().trimmed(), QByteArray("ACQUIRED"));
    QVERIFY(!programDir.exists("plzNoSmoking.ini.~tarvell.Zz99zz"));
    third.closeWriteChannel();
    QVERIFY(third.waitForFinished(60000));
    QCOMPARE(programDir.read("plzNoSmoking.ini"), QByteArray("[Personal]\r\nDebt=1\r\n"));
    QCOMPARE(programDir.files(), QStringList({liveProbe, "ToMe.txt.backup", "plzNoSmoking.ini"}));
}

// A lock that no live copy holds is taken over, whatever it holds (a power
// cut leaves it empty), unless it is so new that its maker may still be
// writing it; what is no lock file at all ends start-up with a message that
// names it.
void TestProjectInfo::oddLocks_data() {
    QTest::addColumn<QString>("lock");
    QTest::addColumn<QString>("obstacle");
    for (const QString lock : {"locks/Tarvell.lock", "plzNoSmoking.lock"})
        for (const QString obstacle : {"empty", "garbled", "held by a live copy", "just made",
                                       "a folder", "naming this process"})
            QTest::addRow("%s: %s", qPrintable(lock), qPrintable(obstacle)) << lock << obstacle;
}

void TestProjectInfo::oddLocks() {
    QFETCH(QString, lock);
    QFETCH(QString, obstacle);
    TempProgramFolder dir;
    const QString path = dir.file(lock);
    QDir(dir.path()).mkpath(obstacle == "a folder" ? lock : "locks");
    if (obstacle != "a folder")
        dir.write(lock, obstacle == "garbled" ? QByteArray("\xff\xfegarbage\n\n")
                        : obstacle == "naming this process"
                            ? QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                                  QCoreApplication::applicationName().toUtf8() + "\n" +
                                  QSysInfo::machineHostName().toUtf8() + "\n"
                            : QByteArray());
    if (obstacle != "a folder" && obstacle != "just made") {
        QFile f(path); // left a while ago
        QVERIFY(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                              QFileDevice::FileModificationTime));
    }
#ifdef Q_OS_WIN
    // A live copy keeps its lock file open, which forbids removing it.
    QFile holder(path);
    if (obstacle == "held by a live copy")
        QVERIFY(holder.open(QIODevice::ReadOnly));
#else
    // Open but not locked is no live copy: only the lock counts.
    const int holder = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (obstacle == "held by a live copy")
        QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
#endif
    QStringList warnings;
    Desktop::SetWarningHandler([&](const QString&, const QString& text) { warnings << text; });
    const bool only = TvxPrjInfo(dir.path(), dir.file("locks")).CheckSingleInstance();
    Desktop::SetWarningHandler({});
#ifdef Q_OS_WIN
    holder.close();
#else
    ::close(holder);
#endif
#ifdef Q_OS_WIN
    // A copy that makes its lock holds it open from the first moment: one
    // that can be removed has no maker left, however young it is.
    const bool takenOver = obstacle == "empty" || obstacle == "garbled" ||
                           obstacle == "naming this process" || obstacle == "just made";
#else
    const bool takenOver =
        obstacle == "empty" || obstacle == "garbled" || obstacle == "naming this process";
#endif
    if (takenOver) {
        QVERIFY(only);
        QCOMPARE(warnings, QStringList());
    } else if (obstacle == "a folder") {
        QVERIFY(!only);
        QVERIFY2(warnings.size() == 1 && warnings.first().contains(QDir::toNativeSeparators(path)),
                 qPrintable(warnings.join("|")));
    } else {
        QVERIFY(!only);
        QCOMPARE(warnings, QStringList{TvxPrjInfo::WarningAlreadyRunning()});
    }
}

QTEST_GUILESS_MAIN(TestProjectInfo)
#include "tst_projectinfo.moc"
