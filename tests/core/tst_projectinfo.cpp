#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

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
    void logLinesKeepOtherLines();
    void pledgeRoundTrip_data();
    void pledgeRoundTrip();
    void failedLogWriteKeepsHistory();
    void homePageGoesToTheShell();
    void secondInstanceIsRefused();
    void instanceMark_data();
    void instanceMark();
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

void TestProjectInfo::logLinesKeepOtherLines() {
    TempProgramFolder dir;
    TvxPrjInfo info(dir.path());
    // A hand-edited log with LF-only ends and no final line end.
    dir.write("plzNoSmoking.log", "first\nsecond");
    info.AppendLog(QStringLiteral("    승 급 :2026-12-08 12:43:15   평민...!!"));
    QCOMPARE(dir.read("plzNoSmoking.log"),
             QByteArray("first\r\nsecond\r\n") +
                 Cp949::encode(QStringLiteral("    승 급 :2026-12-08 12:43:15   평민...!!\r\n")));
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

void TestProjectInfo::homePageGoesToTheShell() {
    QString opened;
    Desktop::SetOpenUrlHandler([&](const QString& url) {
        opened = url;
        return true;
    });
    TempProgramFolder dir;
    TvxPrjInfo(dir.path()).OpenHomePage();
    Desktop::SetOpenUrlHandler({});
    QCOMPARE(opened, QStringLiteral("https://nosmk.khepi.or.kr"));
}

void TestProjectInfo::secondInstanceIsRefused() {
    TempProgramFolder programDir;
    TempProgramFolder lockDir;
    const QStringList args{programDir.path(), lockDir.path()};

    QProcess first;
    first.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(first.waitForReadyRead(10000));
    QCOMPARE(first.readLine().trimmed(), QByteArray("ACQUIRED"));

    QProcess second;
    second.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(second.waitForFinished(10000));
    const QList<QByteArray> out = second.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(out.size(), 2); // the warning once, then the refusal
    QCOMPARE(out.at(0),
             "WARNING:" + TvxPrjInfo::WarningAlreadyRunning().toUtf8().replace("\r\n", "|"));
    QCOMPARE(out.at(1), QByteArray("REFUSED"));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(first.state() == QProcess::Running); // the first is not disturbed

    // A crashed instance leaves no stale mark behind.
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QProcess third;
    third.start(QStringLiteral(INSTANCE_HELPER), args);
    QVERIFY(third.waitForReadyRead(10000));
    QCOMPARE(third.readLine().trimmed(), QByteArray("ACQUIRED"));
    third.closeWriteChannel();
    QVERIFY(third.waitForFinished(10000));
    QCOMPARE(third.exitCode(), 0);

    // No process wrote anything into the program folder.
    QCOMPARE(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
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
    if (heldByAnother)
        QVERIFY(other.CheckSingleInstance());
    TvxPrjInfo info(dir.path(), dir.file(lockFolder));
    const bool result = info.CheckSingleInstance();
    Desktop::SetWarningHandler({});
    QCOMPARE(result, only);
    QCOMPARE(warnings, only ? QStringList() : QStringList{TvxPrjInfo::WarningAlreadyRunning()});
}

QTEST_GUILESS_MAIN(TestProjectInfo)
#include "tst_projectinfo.moc"
