// The program started on hostile program folders: random bytes, 50 MB
// files, bad dates, numbers out of range, byte-order marks, UTF-16, NUL
// bytes, directories, FIFOs and devices where files belong. Each time the
// daily check and the main window must come up, the clock must keep ticking
// briskly, the menu must work and the program must quit cleanly; failures
// may only reach the user as the file layer's messages.
#include "core/ProjectInfo.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/Startup.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "platform/Platform.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <QTimerEvent>
#include <functional>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

using TestSupport::Part;

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
const QString kIni = QStringLiteral("plzNoSmoking.ini");
const QString kLog = QStringLiteral("plzNoSmoking.log");
const QString kPledge = QStringLiteral("ToMe.txt");
const QString kAnniversary = QStringLiteral("Anniversary - 2026.dat");
const QString kHoliday = QStringLiteral("Holiday - 2026.dat");
constexpr qsizetype k50MB = 50 * 1024 * 1024;

QByteArray randomBytes(qsizetype n, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(random.bounded(256));
    return b;
}

// The bytes of a literal that holds NULs, all of them.
template <size_t N> QByteArray literal(const char (&text)[N]) {
    return QByteArray(text, qsizetype(N - 1));
}

QByteArray utf16(const QString& text) {
    QByteArray b("\xff\xfe");
    for (QChar c : text) {
        b += char(c.unicode() & 0xff);
        b += char(c.unicode() >> 8);
    }
    return b;
}

void makeFolder(const TempProgramFolder& dir, const QString& name) {
    QDir(dir.path()).mkpath(name + QStringLiteral("/inside"));
}

#ifndef Q_OS_WIN
void makeFifo(const TempProgramFolder& dir, const QString& name) {
    ::mkfifo(QFile::encodeName(dir.file(name)).constData(), 0600);
}
#endif

struct Hostile {
    const char* name;
    std::function<void(const TempProgramFolder&)> build;
    bool admitSmoking = false; // answer the daily check with a relapse
};

QList<Hostile> hostiles() {
    return {
        {"random bytes in every file",
         [](const TempProgramFolder& d) {
             quint32 seed = 1;
             for (const QString& f : {kIni, kLog, kPledge, kAnniversary, kHoliday})
                 d.write(f, randomBytes(64 * 1024, seed++));
         },
         true},
        {"50 MB settings file",
         [](const TempProgramFolder& d) {
             QByteArray ini = "[Personal]\r\n";
             ini.reserve(k50MB + 1024);
             for (int i = 0; ini.size() < k50MB; ++i)
                 ini += "Filler" + QByteArray::number(i) + "=some value of a line\r\n";
             ini += "[Date]\r\nStart=2026-10-24 12:43:15\r\n";
             d.write(kIni, ini);
         }},
        {"50 MB log and pledge",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=2026-12-07 12:43:14\r\n");
             const QByteArray line =
                 Cp949::encode(QStringLiteral("다시 시작 :2026-01-01 00:00:00\r\n"));
             d.write(kLog, line.repeated(k50MB / line.size()));
             d.write(kPledge, QByteArray(k50MB, 'x'));
         },
         true},
        {"50 MB value without a line end",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=" + QByteArray(k50MB, '9'));
         }},
        {"bad dates",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=2026-13-45 25:61:61\r\nRestart=abc\r\n");
         }},
        {"empty restart, start in year 0",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=0000-00-00\r\nRestart=\r\n");
         }},
        {"start on the last day of 9999",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=9999-12-31 23:59:59\r\n[Personal]\r\nGrade=18\r\n");
         }},
        {"start in year 1",
         [](const TempProgramFolder& d) { d.write(kIni, "[Date]\r\nStart=0001-01-01\r\n"); }},
        {"numbers at the ends of their range",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Personal]\r\nGrade=99\r\nEvery=-1\r\nCigar Price=-2147483648\r\n"
                           "Debt=2147483647\r\nCount Retry=2147483647\r\n[Prog]\r\n"
                           "Left=2147483647\r\nTop=-2147483648\r\nsc=99999999999\r\n"
                           "[Date]\r\nStart=2020-02-29 00:00:01\r\n");
         },
         true},
        {"negative grade, no cigarettes, negative debt",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Personal]\r\nGrade=-5\r\nEvery=0\r\nDebt=-1\r\n[Date]\r\n"
                           "Start=2026-12-01\r\n");
         }},
        {"largest interval and price",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Personal]\r\nEvery=2147483647\r\nCigar Price=2147483647\r\n"
                           "Debt=-2147483648\r\n[Date]\r\nStart=1990-01-01\r\n");
         }},
        {"hexadecimal and signs",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Personal]\r\nGrade=0x12\r\nEvery=+0x10\r\nDebt=0xFFFFFFFF\r\n"
                           "Cigar Price=0x\r\n[Date]\r\nStart=2026-12-08 12:43:14\r\n");
         }},
        {"UTF-8 marks",
         [](const TempProgramFolder& d) {
             const QByteArray bom = "\xef\xbb\xbf";
             d.write(kIni, bom + QString::fromUtf8("[Date]\r\nStart=2026-11-01 08:00:00\r\n"
                                                   "; 손으로 고친 파일\r\n")
                                     .toUtf8());
             d.write(kLog, bom + QString::fromUtf8("다시 시작 :2026-01-01 00:00:00\r\n").toUtf8());
             d.write(kAnniversary, bom + QString::fromUtf8("[12]\r\n8=\"생일\"\r\n").toUtf8());
         },
         true},
        {"UTF-16 files",
         [](const TempProgramFolder& d) {
             d.write(kIni, utf16(QStringLiteral("[Date]\r\nStart=2026-11-01\r\n")));
             d.write(kLog, utf16(QStringLiteral("다시 시작 :2026-01-01 00:00:00\r\n")));
             d.write(kAnniversary, utf16(QStringLiteral("[12]\r\n8=생일\r\n")));
             d.write(kHoliday, utf16(QStringLiteral("[12]\r\n25=성탄절\r\n")));
         },
         true},
        {"NUL bytes",
         [](const TempProgramFolder& d) {
             d.write(kIni, literal("[Date]\0\r\nStart\0=2026-01-01\r\n[Personal\0]\r\n"
                                   "Grade=\0 3\r\nEvery=6480\0\r\n\0\0\0"));
             d.write(kLog, QByteArray(1000, '\0'));
         },
         true},
        {"directories where the files belong",
         [](const TempProgramFolder& d) {
             for (const QString& f : {kIni, kLog, kPledge, kAnniversary, kHoliday})
                 makeFolder(d, f);
         },
         true},
        {"many sections",
         [](const TempProgramFolder& d) {
             QByteArray ini;
             for (int i = 0; i < 200000; ++i)
                 ini += "[s" + QByteArray::number(i) + "]\r\n";
             d.write(kIni, ini + "[Date]\r\nStart=2026-12-01\r\n");
         }},
        {"CR line ends and lone lead bytes",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\rStart=2026-12-01 10:00:00\r[Personal]\rGrade=\xb0\r\xb0");
             d.write(kLog, "line\r\xb0");
         },
         true},
#ifndef Q_OS_WIN // a Windows folder holds no FIFO and no link to a device
        {"settings file a FIFO", [](const TempProgramFolder& d) { makeFifo(d, kIni); }},
        {"settings file a link to /dev/zero",
         [](const TempProgramFolder& d) { QFile::link("/dev/zero", d.file(kIni)); }},
        {"holiday and anniversary files a FIFO and /dev/zero",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=2026-12-01\r\n");
             makeFifo(d, kHoliday);
             QFile::link("/dev/zero", d.file(kAnniversary));
         }},
#endif
        {"leftovers of killed saves",
         [](const TempProgramFolder& d) {
             d.write(kIni, "[Date]\r\nStart=2026-12-01\r\n");
             d.write(kIni + QStringLiteral(".~tarvell.Ab12Cd"), "[Date]\r\nSta");
             d.write(kLog + QStringLiteral(".~tarvell.zz99ZZ"), "");
         }},
    };
}

bool isFileLayerMessage(const QString& m) {
    return m.startsWith(QStringLiteral("Unable to write to ")) ||
           m.startsWith(QStringLiteral("Cannot create file \""));
}

} // namespace

class TestHostileFolders : public QObject {
    Q_OBJECT
private slots:
    void comesUpTicksAndQuits_data();
    void comesUpTicksAndQuits();
    void cleanup() { SetErrorBoxHandler({}); }
};

void TestHostileFolders::comesUpTicksAndQuits_data() {
    QTest::addColumn<int>("index");
    const QList<Hostile> all = hostiles();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(all[i].name) << i;
}

void TestHostileFolders::comesUpTicksAndQuits() {
    QFETCH(int, index);
    const Hostile hostile = hostiles().at(index);
    TempProgramFolder dir;
    TempProgramFolder locks;
    hostile.build(dir);
    QStringList shown;
    SetErrorBoxHandler([&](const QString& m) { shown << m; });
    FrozenClock clock(kNow);

    TvxPrjInfo prj(dir.path(), locks.path());
    QVERIFY(prj.CheckSingleInstance());
    TvxAnniversary cursor(dir.path());
    TfrmImagesRes images;

    // The daily check, answered as the row says; an admission that cannot
    // be recorded leaves the question open, and the user then says no.
    DialogDriver::Script script;
    if (hostile.admitSmoking) {
        script.on<TfrmCheckSmoke>([](TfrmCheckSmoke* d) { DialogDriver::click(d->btnSorry); })
            .answer(QMessageBox::Ok);
    }
    script.on<TfrmCheckSmoke>([](TfrmCheckSmoke* d) { DialogDriver::click(d->btnNoSmoked); });
    script.start();
    QElapsedTimer timer;
    timer.start();
    try {
        RunStartupDialogs(prj);
    } catch (const EFileError& e) {
        shown << e.message();
    }
    QVERIFY(!script.timedOut());

    TvxPlatformStandIn tray; // a tray that shows the icon
    tray.TrayShown = 1;
    PlatformStandIn::Set(&tray);
    const auto realPlatformAgain = qScopeGuard([] { PlatformStandIn::Set(nullptr); });
    TfrmMain w(prj, cursor, &images);
    try {
        w.LoadState();
    } catch (const EFileError& e) {
        shown << e.message();
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    const qint64 startMs = timer.elapsed();

    // A dozen seconds of the clock, each tick through the event system as
    // the timer delivers it, so that failures take the program's path.
    qint64 slowest = 0;
    for (int i = 0; i < 12; ++i) {
        clock.advance(1);
        QElapsedTimer tick;
        tick.start();
        QTimerEvent te(Part<QTimer>(w, "tmrCount")->timerId());
        QCoreApplication::sendEvent(Part<QTimer>(w, "tmrCount"), &te);
        QCoreApplication::processEvents();
        slowest = std::max(slowest, tick.elapsed());
    }
    QVERIFY2(slowest < 1000, qPrintable(QStringLiteral("a tick took %1 ms").arg(slowest)));
    QVERIFY(!Part<QLabel>(w, "labDateTime")->text().isEmpty());
    QVERIFY(w.rect().intersects(QRect(QPoint(0, 0), w.size())));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(w.frameGeometry()));

    // The menu: the calendar toggled twice, the tray and back. A menu
    // command's failure reaches the error box through the application, as
    // a click on the menu would.
    const auto command = [&](const std::function<void()>& run) {
        try {
            run();
        } catch (const EFileError& e) {
            ShowErrorBox(e.message());
        }
    };
    command([&] { Part<QAction>(w, "mnShowCalendar")->trigger(); });
    command([&] { Part<QAction>(w, "mnShowCalendar")->trigger(); });
    w.trayClick();
    QVERIFY(!w.isVisible());
    w.trayClick();
    QVERIFY(w.isVisible());

    // Quit: the position is saved if the folder takes it, the window goes.
    Part<QAction>(w, "mnClose")->trigger();
    QVERIFY(!w.isVisible());
    for (const QString& m : shown)
        QVERIFY2(isFileLayerMessage(m), qPrintable(m));
    // Nothing half-written is left beside the records.
    for (const QString& name : QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden))
        QVERIFY2(!name.contains(QStringLiteral(".~tarvell.")), qPrintable(name));
    qInfo("up in %lld ms, slowest tick %lld ms, %lld messages", startMs, slowest,
          qint64(shown.size()));
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestHostileFolders test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostilefolders.moc"
