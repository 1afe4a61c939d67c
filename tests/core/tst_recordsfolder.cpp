#include "core/ProjectInfo.h"
#include "core/RecordsFolder.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using TestSupport::TempProgramFolder;

namespace {

// One scene for every case. A folder below a regular file can be neither
// created nor written, even by root.
struct Scene {
    TempProgramFolder root;

    Scene() {
        root.write("a file", "x");
        for (const char* folder : {"portable", "prefix/bin", "prefix/share/tarvell",
                                   "kept/.local/share/Tarvell", "read-only"})
            QDir().mkpath(root.file(folder));
        QFile::setPermissions(root.file("read-only"), QFile::ReadOwner | QFile::ExeOwner);
    }
    QString path(const QString& name) const { return name.isEmpty() ? name : root.file(name); }
};

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestRecordsFolder : public QObject {
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
    void userDataFolder_data();
    void userDataFolder();
    void settingsObjectFollowsTheDecision();
    void recordsOfAFolderThatCannotBeWritten_data();
    void recordsOfAFolderThatCannotBeWritten();
    void folderNamedInBytesThatAreNoUtf8();
};

void TestRecordsFolder::decision_data() {
    QTest::addColumn<QString>("program");  // the executable's folder
    QTest::addColumn<QString>("data");     // the user's data folder; empty: no home
    QTest::addColumn<QString>("expected"); // "program", "data" or "none"

    const QString home = "home/.local/share/Tarvell";
    QTest::newRow("portable copy") << "portable" << home << "program";
    QTest::newRow("portable copy without a home") << "portable"
                                                  << ""
                                                  << "program";
    QTest::newRow("portable copy, home unreachable") << "portable"
                                                     << "a file/Tarvell"
                                                     << "program";
    QTest::newRow("program folder not writable") << "a file/bin" << home << "data";
    QTest::newRow("read-only program folder") << "read-only" << home << "data";
    QTest::newRow("installed") << "prefix/bin" << home << "data";
    QTest::newRow("installed, data folder kept from before") << "prefix/bin"
                                                             << "kept/.local/share/Tarvell"
                                                             << "data";
    QTest::newRow("installed, no home") << "prefix/bin"
                                        << ""
                                        << "none";
    QTest::newRow("installed, data folder below a file") << "prefix/bin"
                                                         << "a file/Tarvell"
                                                         << "none";
    QTest::newRow("installed, data folder is a file") << "prefix/bin"
                                                      << "a file"
                                                      << "none";
    QTest::newRow("nothing writable") << "a file/bin"
                                      << "a file/Tarvell"
                                      << "none";
}

void TestRecordsFolder::decision() {
    QFETCH(QString, program);
    QFETCH(QString, data);
    QFETCH(QString, expected);
    Scene scene;
    const QString programFolder = scene.path(program);
    const QString dataFolder = scene.path(data);
    if (program == "read-only" && RecordsFolder::CanReplaceFilesIn(programFolder))
        QSKIP("this user may write into a read-only folder (root)");

    const RecordsFolder::Choice c = RecordsFolder::Choose(programFolder, dataFolder);
    if (expected == "program") {
        QVERIFY2(c.ok(), qPrintable(c.error));
        QCOMPARE(c.folder, programFolder + "/");
        // A portable copy leaves the user's home alone.
        QVERIFY(!QFileInfo::exists(scene.path("home")));
    } else if (expected == "data") {
        QVERIFY2(c.ok(), qPrintable(c.error));
        QCOMPARE(c.folder, dataFolder + "/");
        QVERIFY(QFileInfo(dataFolder).isDir());
    } else if (data.isEmpty()) {
        QVERIFY(!c.ok());
        QCOMPARE(c.error, QStringLiteral("사용자의 홈 폴더를 찾을 수 없어 기록을 저장할 곳이 "
                                         "없습니다.\n\n홈 폴더가 있는 사용자로 로그인한 뒤 "
                                         "다시 실행하세요."));
    } else {
        QVERIFY(!c.ok());
        QCOMPARE(c.error, QStringLiteral("기록을 저장할 폴더를 만들거나 쓸 수 없습니다.\n\n") +
                              QDir::toNativeSeparators(dataFolder) +
                              QStringLiteral("\n\n이 폴더에 쓸 수 있는지 확인한 뒤 다시 "
                                             "실행하세요."));
    }
    // Finding out leaves no trace in either folder.
    QCOMPARE(entries(scene.path("portable")), QStringList());
    if (expected == "data")
        QCOMPARE(entries(dataFolder), QStringList());
    // The shipped data of an installed program lies beside its bin folder.
    QCOMPARE(c.installedDataFolder, QDir::cleanPath(programFolder + "/../share/tarvell") + "/");
    QCOMPARE(RecordsFolder::IsInstalled(programFolder), program == "prefix/bin");
}

// The user's home: HOME on Linux, where XDG_DATA_HOME may name another
// data folder; LOCALAPPDATA on Windows.
#ifdef Q_OS_WIN
constexpr const char* kHomeVariable = "LOCALAPPDATA";
#else
constexpr const char* kHomeVariable = "HOME";
#endif

void TestRecordsFolder::userDataFolder_data() {
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("expected");
#ifdef Q_OS_WIN
    QTest::newRow("local application data") << QByteArray("C:\\Users\\u\\AppData\\Local")
                                            << QByteArray() << "C:/Users/u/AppData/Local/Tarvell/";
    QTest::newRow("none") << QByteArray() << QByteArray() << "";
    QTest::newRow("relative is ignored") << QByteArray("AppData\\Local") << QByteArray() << "";
    return;
#endif
    QTest::newRow("home") << QByteArray("/home/u") << QByteArray()
                          << "/home/u/.local/share/Tarvell/";
    QTest::newRow("XDG_DATA_HOME wins")
        << QByteArray("/home/u") << QByteArray("/data/u") << "/data/u/Tarvell/";
    QTest::newRow("no home") << QByteArray() << QByteArray() << "";
    // Relative to the current folder it would differ from folder to folder.
    QTest::newRow("relative XDG_DATA_HOME is ignored")
        << QByteArray("/home/u") << QByteArray("data/u") << "/home/u/.local/share/Tarvell/";
    QTest::newRow("relative XDG_DATA_HOME, no home") << QByteArray() << QByteArray("data/u") << "";
    QTest::newRow("relative home is ignored") << QByteArray("home/u") << QByteArray() << "";
}

void TestRecordsFolder::userDataFolder() {
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, expected);
    const QByteArray oldHome = qgetenv(kHomeVariable);
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set(kHomeVariable, home);
    set("XDG_DATA_HOME", xdgDataHome);
    const QString folder = RecordsFolder::UserDataFolder();
    set(kHomeVariable, oldHome);
    set("XDG_DATA_HOME", oldXdg);
    QCOMPARE(folder, expected);
}

void TestRecordsFolder::settingsObjectFollowsTheDecision() {
    // The tests run from a writable build folder that is no installed
    // prefix: a portable copy.
    const QString here = QCoreApplication::applicationDirPath();
    TvxPrjInfo info;
    QCOMPARE(info.RecordsFolderError, QString());
    QCOMPARE(info.ProgramFolder, here + "/");
    QCOMPARE(info.IniFileName(), here + "/plzNoSmoking.ini");
    QCOMPARE(info.InstalledDataFolder, QDir::cleanPath(here + "/../share/tarvell") + "/");
}

// A portable copy whose folder holds records but cannot be written (a
// read-only mount): the records are never passed over for a first run.
void TestRecordsFolder::recordsOfAFolderThatCannotBeWritten_data() {
    QTest::addColumn<QString>("data");    // the user's data folder; empty: no home
    QTest::addColumn<QString>("ownName"); // a record already in it
    QTest::addColumn<QByteArray>("ownText");
    QTest::addColumn<QString>("expected"); // "copied", "kept" or "refused"
    const QString home = "home/.local/share/Tarvell";
    QTest::newRow("empty user folder") << home << QString() << QByteArray() << "copied";
    QTest::newRow("user folder with records")
        << home << "plzNoSmoking.ini" << QByteArray("[Personal]\r\nDebt=7\r\n") << "kept";
    // A start killed while copying: the letter it had copied is not copied over.
    QTest::newRow("user folder with a letter only")
        << home << "ToMe.txt" << QByteArray("written since") << "copied";
    QTest::newRow("no home") << "" << QString() << QByteArray() << "refused";
    QTest::newRow("user folder cannot be made")
        << "a file/T" << QString() << QByteArray() << "refused";
}

void TestRecordsFolder::recordsOfAFolderThatCannotBeWritten() {
    QFETCH(QString, data);
    QFETCH(QString, ownName);
    QFETCH(QByteArray, ownText);
    QFETCH(QString, expected);
    Scene scene;
    const QString program = scene.path("records");
    const QStringList records = {"Holiday - 2026.dat", "ToMe.txt", "plzNoSmoking.ini",
                                 "plzNoSmoking.log"};
    QDir().mkpath(program);
    for (const QString& name : records + QStringList{"notes.txt"})
        scene.root.write("records/" + name, name.toUtf8());
    // Not replaceable even for root: a folder has the probe's name.
    QDir().mkpath(program + "/.tarvell-probe-" +
                  QString::number(QCoreApplication::applicationPid()) + "/x");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    const QString dataFolder = scene.path(data);
    if (!ownName.isEmpty()) {
        QDir().mkpath(dataFolder);
        scene.root.write(data + "/" + ownName, ownText);
    }
    const RecordsFolder::Choice c = RecordsFolder::Choose(program, dataFolder);
    const RecordsFolder::Choice again = RecordsFolder::Choose(program, dataFolder);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (expected == "refused") {
        // Where the records are, and why they cannot be used.
        QVERIFY2(c.error.startsWith("기록이 있는 폴더에 쓸 수 없어서 그 기록을 이어 쓸 수 "
                                    "없습니다.\n\n" +
                                    QDir::toNativeSeparators(program) + "\n\n"),
                 qPrintable(c.error));
        return;
    }
    QVERIFY2(c.ok(), qPrintable(c.error));
    QCOMPARE(c.folder, dataFolder + "/");
    QCOMPARE(again.notice, QString()); // said once
    if (expected == "kept") {
        QCOMPARE(c.notice, QString());
        QCOMPARE(entries(dataFolder), QStringList{"plzNoSmoking.ini"});
        QCOMPARE(scene.root.read(data + "/plzNoSmoking.ini"), ownText);
        return;
    }
    QStringList copied = entries(dataFolder);
    copied.sort();
    QCOMPARE(copied, records);
    for (const QString& name : records)
        QCOMPARE(scene.root.read(data + "/" + name), name == ownName ? ownText : name.toUtf8());
    QVERIFY2(c.notice.startsWith("프로그램 폴더에 쓸 수 없어서, 그곳의 기록을 사용자 폴더로 "
                                 "복사했습니다.\n\n" +
                                 QDir::toNativeSeparators(program) + "\n→ " +
                                 QDir::toNativeSeparators(dataFolder) + "\n\n"),
             qPrintable(c.notice));
}

// Paths are bytes: a folder whose name is no UTF-8 is used all the same.
void TestRecordsFolder::folderNamedInBytesThatAreNoUtf8() {
#ifdef Q_OS_WIN
    QSKIP("Windows names files in UTF-16: no name is bytes that are no text");
#else
    Scene scene;
    const QByteArray folder = QFile::encodeName(scene.root.path()) + "\xff\xfe folder";
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    // Qt cannot name it to remove it.
    const auto removeFolder = qScopeGuard([&] {
        ::unlink((folder + "/plzNoSmoking.ini").constData());
        ::rmdir(folder.constData());
    });
    const QString usable = RecordsFolder::ExecutableFolderOf(folder + "/tarvell");
    const RecordsFolder::Choice c = RecordsFolder::Choose(usable, scene.path("home/Tarvell"));
    QVERIFY2(c.ok(), qPrintable(c.error));
    QCOMPARE(c.folder, usable + "/");
    TvxPrjInfo(c.folder).WriteRetryCount(3);
    // The record is in that very folder.
    struct stat st = {};
    QCOMPARE(::stat((folder + "/plzNoSmoking.ini").constData(), &st), 0);
#endif
}

QTEST_GUILESS_MAIN(TestRecordsFolder)
#include "tst_recordsfolder.moc"
