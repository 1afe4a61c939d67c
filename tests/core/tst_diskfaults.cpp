// Writes of every kind against a disk that refuses them, in ways that hold
// for root too: a file-size limit (a full disk), a folder path that cannot
// be created, a directory where the file should be. Each write must fail
// with its message and leave every file as it was, with nothing beside it.
#include "core/ProjectInfo.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTest>
#include <functional>
#include <memory>

using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

namespace {

enum class Obstacle { FullDisk, FolderCannotBeMade, DirectoryInPlace };
enum class Kind { UnableToWrite, CannotCreate };

struct Writer {
    const char* name;
    QString file; // the file whose failure the write reports
    Kind kind;
    std::function<void(TvxPrjInfo&, TvxAnniversary&)> write;
    bool deletes = false;      // writes only when there is something to delete
    bool onlyThisFile = false; // reports `file` only when that file alone is refused
};

const QString kIni = QStringLiteral("plzNoSmoking.ini");
const QString kLog = QStringLiteral("plzNoSmoking.log");
const QString kPledge = QStringLiteral("ToMe.txt");
const QString kAnniversary = QStringLiteral("Anniversary - 2026.dat");

QList<Writer> writers() {
    return {
        {"settings key", kIni, Kind::UnableToWrite,
         [](TvxPrjInfo& p, TvxAnniversary&) {
             p.Ini().WriteInteger(Keys::Personal, Keys::Debt, 9125000);
         }},
        {"settings key deleted", kIni, Kind::UnableToWrite,
         [](TvxPrjInfo& p, TvxAnniversary&) { p.Ini().DeleteKey(Keys::Prog, Keys::Left); }, true},
        {"relapse, the settings refused", kIni, Kind::UnableToWrite,
         [](TvxPrjInfo& p, TvxAnniversary&) { p.Restart(); }, false, true},
        {"relapse, the log refused", kLog, Kind::CannotCreate,
         [](TvxPrjInfo& p, TvxAnniversary&) { p.Restart(); }},
        {"promotion line", kLog, Kind::CannotCreate,
         [](TvxPrjInfo& p, TvxAnniversary&) {
             p.AppendLog(QStringLiteral("    승 급 :2026-12-08 12:43:15   평민...!!"));
         }},
        {"pledge", kPledge, Kind::CannotCreate,
         [](TvxPrjInfo& p, TvxAnniversary&) {
             p.WritePledge(QStringLiteral("나는 오늘부터 담배를 끊는다.\n꼭 지킨다."));
         }},
        {"anniversary", kAnniversary, Kind::UnableToWrite,
         [](TvxPrjInfo&, TvxAnniversary& a) { a.WriteAnniversaries({QStringLiteral("생일")}); }},
        {"anniversary deleted", kAnniversary, Kind::UnableToWrite,
         [](TvxPrjInfo&, TvxAnniversary& a) { a.DeleteAnniversaries(); }, true},
    };
}

// Every entry under a folder: files with their bytes, folders marked.
QMap<QString, QByteArray> treeOf(const QString& folder) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            tree.insert(name, "<folder>");
        } else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            tree.insert(name, f.readAll());
        }
    }
    return tree;
}

} // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT
private slots:
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
};

void TestDiskFaults::refusedWritesChangeNothing_data() {
    QTest::addColumn<int>("obstacle");
    QTest::addColumn<int>("writer");
    const QList<QPair<Obstacle, const char*>> obstacles = {
        {Obstacle::FullDisk, "full disk"},
        {Obstacle::FolderCannotBeMade, "folder under a file"},
        {Obstacle::DirectoryInPlace, "directory in place of the file"},
    };
    const QList<Writer> all = writers();
    for (const auto& [obstacle, oname] : obstacles)
        for (int w = 0; w < all.size(); ++w)
            if (!all[w].onlyThisFile || obstacle == Obstacle::DirectoryInPlace)
                QTest::addRow("%s: %s", oname, all[w].name) << int(obstacle) << w;
}

void TestDiskFaults::refusedWritesChangeNothing() {
    QFETCH(int, obstacle);
    QFETCH(int, writer);
    const Writer w = writers().at(writer);
    FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
    TempProgramFolder top;

    QString folder = top.path();
    if (Obstacle(obstacle) == Obstacle::FolderCannotBeMade) {
        top.write("afile", "a file, not a folder");
        folder = top.path() + "afile/records/";
    } else {
        // Records large enough that any rewrite passes the size limit.
        const QByteArray pad = "; " + QByteArray(64, '-') + "\r\n";
        top.write(kIni, pad + "[Personal]\r\nDebt=100\r\nCount Retry=2\r\n[Prog]\r\nLeft=37\r\n");
        top.write(kLog, pad + Cp949::encode(QStringLiteral("다시 시작 :2026-02-01 10:00:00\r\n")));
        top.write(kPledge, pad + Cp949::encode(QStringLiteral("약속")));
        top.write(kAnniversary, pad + "[12]\r\n7=\"a\"\r\n");
        if (Obstacle(obstacle) == Obstacle::DirectoryInPlace) {
            QFile::remove(top.file(w.file));
            QDir(top.path()).mkpath(w.file + "/inside");
            top.write(w.file + "/inside/kept", "kept");
        }
    }
    const auto before = treeOf(top.path());

    TvxPrjInfo prj(folder);
    TvxAnniversary cursor(folder);
    cursor.Year = 2026;
    cursor.Month = 12;
    cursor.Day = 7;
    QString message;
    try {
        std::unique_ptr<TestSupport::FileSizeLimit> limit;
        if (Obstacle(obstacle) == Obstacle::FullDisk)
            limit = std::make_unique<TestSupport::FileSizeLimit>(16);
        w.write(prj, cursor);
    } catch (const EFileError& e) {
        message = e.message();
    }
    if (w.deletes && Obstacle(obstacle) == Obstacle::FolderCannotBeMade) {
        // Nothing there to delete: nothing is written, nothing fails.
        QCOMPARE(message, QString());
        QCOMPARE(treeOf(top.path()), before);
        return;
    }
    QVERIFY2(!message.isEmpty(), "the write did not fail");
    const QString path = folder + w.file;
    if (w.kind == Kind::UnableToWrite) {
        QCOMPARE(message, QStringLiteral("Unable to write to ") + path);
    } else {
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
    }
    // Byte for byte as before, nothing added beside the files.
    QCOMPARE(treeOf(top.path()), before);
    // And the records still read as they did.
    if (Obstacle(obstacle) == Obstacle::FolderCannotBeMade) {
        QCOMPARE(prj.ReadDebt(), 0);
    } else if (w.file != kIni) {
        QCOMPARE(prj.ReadDebt(), 100);
        QCOMPARE(prj.ReadRetryCount(), 2);
    }
}

QTEST_GUILESS_MAIN(TestDiskFaults)
#include "tst_diskfaults.moc"
