#include "core/ProjectInfo.h"
#include "core/RecordsFolder.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

using TestSupport::TempProgramFolder;

namespace {

// Every path a case needs, inside one temporary folder. A folder below a
// regular file can be neither created nor written, even by root.
struct Scene {
    TempProgramFolder root;

    QString path(const QString& name) const {
        QString p = root.path() + name;
        if (p.endsWith(u'/'))
            p.chop(1);
        return p;
    }

    QString programFolder(const QString& kind) {
        root.write("a file", "x");
        if (kind == "writable") {
            QDir().mkpath(path("portable"));
            return path("portable");
        }
        if (kind == "below a file")
            return path("a file/bin");
        if (kind == "installed") {
            QDir().mkpath(path("prefix/bin"));
            QDir().mkpath(path("prefix/share/tarvell"));
            return path("prefix/bin");
        }
        if (kind == "read-only") {
            QDir().mkpath(path("read-only"));
            QFile::setPermissions(path("read-only"), QFile::ReadOwner | QFile::ExeOwner);
            return path("read-only");
        }
        return {};
    }

    QString dataFolder(const QString& kind) {
        root.write("a file", "x");
        if (kind == "to be made")
            return path("home/.local/share/Tarvell");
        if (kind == "existing") {
            QDir().mkpath(path("home/.local/share/Tarvell"));
            return path("home/.local/share/Tarvell");
        }
        if (kind == "below a file")
            return path("a file/.local/share/Tarvell");
        if (kind == "a file")
            return path("a file");
        return {}; // no home
    }
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
    void installedDataFolder_data();
    void installedDataFolder();
    void userDataFolder_data();
    void userDataFolder();
    void settingsObjectFollowsTheDecision();
};

void TestRecordsFolder::decision_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("expected"); // "program", "data" or "no folder"

    QTest::newRow("portable copy") << "writable"
                                   << "to be made"
                                   << "program";
    QTest::newRow("portable copy without a home") << "writable"
                                                  << ""
                                                  << "program";
    QTest::newRow("portable copy, data folder unreachable") << "writable"
                                                            << "below a file"
                                                            << "program";
    QTest::newRow("program folder not writable") << "below a file"
                                                 << "to be made"
                                                 << "data";
    QTest::newRow("read-only program folder") << "read-only"
                                              << "to be made"
                                              << "data";
    QTest::newRow("installed") << "installed"
                               << "to be made"
                               << "data";
    QTest::newRow("installed, data folder kept from before") << "installed"
                                                             << "existing"
                                                             << "data";
    QTest::newRow("installed, no home") << "installed"
                                        << ""
                                        << "no folder";
    QTest::newRow("installed, data folder below a file") << "installed"
                                                         << "below a file"
                                                         << "no folder";
    QTest::newRow("installed, data folder is a file") << "installed"
                                                      << "a file"
                                                      << "no folder";
    QTest::newRow("nothing writable") << "below a file"
                                      << "below a file"
                                      << "no folder";
}

void TestRecordsFolder::decision() {
    QFETCH(QString, program);
    QFETCH(QString, data);
    QFETCH(QString, expected);
    Scene scene;
    const QString programFolder = scene.programFolder(program);
    const QString dataFolder = scene.dataFolder(data);
    if (program == "read-only" && RecordsFolder::CanReplaceFilesIn(programFolder))
        QSKIP("this user may write into a read-only folder (root)");

    const RecordsFolder::Choice c = RecordsFolder::Choose(programFolder, dataFolder);
    if (expected == "program") {
        QVERIFY2(c.ok(), qPrintable(c.error));
        QCOMPARE(c.folder, programFolder + "/");
        // A portable copy leaves the user's home alone.
        if (data == "to be made")
            QVERIFY(!QFileInfo::exists(dataFolder));
    } else if (expected == "data") {
        QVERIFY2(c.ok(), qPrintable(c.error));
        QCOMPARE(c.folder, dataFolder + "/");
        QVERIFY(QFileInfo(dataFolder).isDir());
    } else {
        QVERIFY(!c.ok());
        if (data.isEmpty())
            QCOMPARE(c.error, QStringLiteral(
                                  "사용자의 홈 폴더를 찾을 수 없어 기록을 저장할 곳이 없습니다.\n\n"
                                  "홈 폴더가 있는 사용자로 로그인한 뒤 다시 실행하세요."));
        else
            QCOMPARE(c.error, QStringLiteral("기록을 저장할 폴더를 만들거나 쓸 수 없습니다.\n\n") +
                                  dataFolder +
                                  QStringLiteral("\n\n이 폴더에 쓸 수 있는지 "
                                                 "확인한 뒤 다시 실행하세요."));
    }
    // Finding out leaves no trace in either folder.
    if (program == "writable")
        QCOMPARE(entries(programFolder), QStringList());
    if (expected == "data")
        QCOMPARE(entries(dataFolder), QStringList());
    QCOMPARE(c.installedDataFolder, QDir::cleanPath(programFolder + "/../share/tarvell") + "/");
}

void TestRecordsFolder::installedDataFolder_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("shipped");
    QTest::newRow("system") << "/usr/bin"
                            << "/usr/share/tarvell/";
    QTest::newRow("local, trailing separator") << "/usr/local/bin/"
                                               << "/usr/local/share/tarvell/";
    QTest::newRow("home prefix") << "/home/u/.local/bin"
                                 << "/home/u/.local/share/tarvell/";
}

void TestRecordsFolder::installedDataFolder() {
    QFETCH(QString, program);
    QFETCH(QString, shipped);
    QCOMPARE(RecordsFolder::InstalledDataFolder(program), shipped);
    QVERIFY(!RecordsFolder::IsInstalled(program + "/does-not-exist"));
}

void TestRecordsFolder::userDataFolder_data() {
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("expected");
    QTest::newRow("home") << QByteArray("/home/u") << QByteArray()
                          << "/home/u/.local/share/Tarvell/";
    QTest::newRow("XDG_DATA_HOME wins")
        << QByteArray("/home/u") << QByteArray("/data/u") << "/data/u/Tarvell/";
    QTest::newRow("no home") << QByteArray() << QByteArray() << "";
}

void TestRecordsFolder::userDataFolder() {
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, expected);
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("HOME", home);
    set("XDG_DATA_HOME", xdgDataHome);
    const QString folder = RecordsFolder::UserDataFolder();
    set("HOME", oldHome);
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

QTEST_GUILESS_MAIN(TestRecordsFolder)
#include "tst_recordsfolder.moc"
