#include "runtime/Errors.h"
#include "runtime/Profile.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <cerrno>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using TestSupport::TempProgramFolder;

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void lineEnds_data();
    void lineEnds();
    void anyBytesDecode();
    void codePageIsTheWindowsOne();
    void writtenLinesEndWithCrLf();
    void unencodableTextIsRefused();
    void saveSyncsBeforeItRenames_data();
    void saveSyncsBeforeItRenames();
    void failedSyncKeepsOldFile();
    void encodingOfAFile_data();
    void encodingOfAFile();
    void mixedLogReadsLineByLine();
    void pendingSaveReplacesOnlyOnCommit();
    void leftoverNames_data();
    void leftoverNames();
    void removeLeftoversKeepsOtherFiles();
    void unreadableFileIsNotRewritten();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
};

void TestTextFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed with empty")
        << QByteArray("a\r\n\nb\r\r\n") << QStringList{"a", "", "b", ""};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestTextFile::lineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TempProgramFolder dir;
    dir.write("t.txt", bytes);
    QCOMPARE(TextFile::readLines(dir.file("t.txt")), lines);
}

void TestTextFile::anyBytesDecode() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const QString s = Cp949::decode(all + all + "\xb0");
    QVERIFY(!s.isEmpty());
    QCOMPARE(TextFile::readLines("/nonexistent/file.txt"), QStringList());
}

void TestTextFile::codePageIsTheWindowsOne() {
    // Extended Hangul syllables and the backslash must survive: the IBM
    // variant of the code page has neither.
    QCOMPARE(Cp949::encode(QStringLiteral("똠가\\")), QByteArray("\x8c\x63\xb0\xa1\\"));
    QCOMPARE(Cp949::decode("\x8c\x63\xb0\xa1\\"), QStringLiteral("똠가\\"));
    QCOMPARE(Cp949::encode(QStringLiteral("甲子")), QByteArray("\xcb\xa3\xed\xad"));
    QCOMPARE(Cp949::unencodable(QStringLiteral("똠 甲 abc")), QString());
}

void TestTextFile::writtenLinesEndWithCrLf() {
    TempProgramFolder dir;
    TextFile::writeLines(dir.file("l.log"), {QStringLiteral("다시 시작 :x"), ""},
                         TextFile::ErrorKind::CannotCreate);
    QCOMPARE(dir.read("l.log"), QByteArray("\xb4\xd9\xbd\xc3 \xbd\xc3\xc0\xdb :x\r\n\r\n"));
    TextFile::writeText(dir.file("t.txt"), "a\r\nb", TextFile::ErrorKind::CannotCreate);
    QCOMPARE(dir.read("t.txt"), QByteArray("a\r\nb"));
}

void TestTextFile::unencodableTextIsRefused() {
    TempProgramFolder dir;
    dir.write("t.txt", "old");
    const QString text = QString::fromUtf8("담배 끊기 😀 😀 ✔");
    QCOMPARE(Cp949::unencodable(text), QString::fromUtf8("😀✔"));
    try {
        TextFile::writeText(dir.file("t.txt"), text, TextFile::ErrorKind::CannotCreate);
        QFAIL("not refused");
    } catch (const EFileError& e) {
        QVERIFY(e.message().contains(QString::fromUtf8("\"😀\" \"✔\"")));
        QVERIFY(e.message().contains(QStringLiteral("저장할 수 없는 글자")));
    }
    QCOMPARE(dir.read("t.txt"), QByteArray("old"));
}

void TestTextFile::saveSyncsBeforeItRenames_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<bool>("existing");
    for (bool existing : {false, true}) {
        const char* state = existing ? "replaced" : "new";
        QTest::addRow("settings key, %s", state) << 0 << existing;
        QTest::addRow("log lines, %s", state) << 1 << existing;
        QTest::addRow("pledge text, %s", state) << 2 << existing;
    }
}

void TestTextFile::saveSyncsBeforeItRenames() {
#ifdef Q_OS_UNIX
    QFETCH(int, writer);
    QFETCH(bool, existing);
    TempProgramFolder dir;
    const QString path = dir.file("f");
    if (existing)
        dir.write("f", "[S]\r\nold=1\r\n");
    const QByteArray before = dir.read("f");
    auto inodeAt = [&]() -> ino_t {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    };
    // Each sync notes which file it forced to the disk and what the target
    // name held at that moment.
    struct Sync {
        ino_t inode;
        ino_t targetInode;
        QByteArray targetBytes;
    };
    QList<Sync> syncs;
    TextFile::SetSyncFunction([&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        syncs << Sync{st.st_ino, inodeAt(), dir.read("f")};
        return ::fsync(fd);
    });
    if (writer == 0)
        IniProfile(path).WriteString("S", "new", "2");
    else if (writer == 1)
        TextFile::writeLines(path, {"a", "b"}, TextFile::ErrorKind::CannotCreate);
    else
        TextFile::writeText(path, "a\r\nb", TextFile::ErrorKind::CannotCreate);
    TextFile::SetSyncFunction({});
    QVERIFY(dir.read("f") != before);
    // The file now at the name was synced while the name still held the
    // previous content: written beside it and renamed, never in place.
    const ino_t placed = inodeAt();
    const auto it =
        std::find_if(syncs.begin(), syncs.end(), [&](const Sync& s) { return s.inode == placed; });
    QVERIFY2(it != syncs.end(), "the new content was never synced");
    QVERIFY(it->targetInode != placed);
    QCOMPARE(it->targetBytes, before);
#else
    QSKIP("fsync is the Unix way of forcing data to the disk");
#endif
}

void TestTextFile::failedSyncKeepsOldFile() {
    TempProgramFolder dir;
    dir.write("plzNoSmoking.log", "old\r\n");
    TextFile::SetSyncFunction([](int) {
        errno = EIO;
        return -1;
    });
    bool thrown = false;
    try {
        TextFile::writeLines(dir.file("plzNoSmoking.log"), {"old", "new"},
                             TextFile::ErrorKind::CannotCreate);
    } catch (const EFileError& e) {
        thrown = true;
        QVERIFY2(
            e.message().startsWith(
                QStringLiteral("Cannot create file \"%1\". ").arg(dir.file("plzNoSmoking.log"))),
            qPrintable(e.message()));
    }
    TextFile::SetSyncFunction({});
    QVERIFY2(thrown, "a sync that failed was reported as a save");
    QCOMPARE(dir.read("plzNoSmoking.log"), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"plzNoSmoking.log"});
}

void TestTextFile::encodingOfAFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc\r\n") << false << "abc\r\n";
    QTest::newRow("CP949 Hangul") << QByteArray("\xb0\xa1\xb3\xaa") << false
                                  << QString::fromUtf8("가나");
    QTest::newRow("UTF-8 Hangul") << QByteArray("\xea\xb0\x80\xeb\x82\x98") << true
                                  << QString::fromUtf8("가나");
    QTest::newRow("UTF-8 mark") << QByteArray("\xef\xbb\xbf[S]") << true << "[S]";
    QTest::newRow("mark only") << QByteArray("\xef\xbb\xbf") << true << "";
    QTest::newRow("extended Hangul with a letter trail")
        << QByteArray("\x8c\x63") << false << QString::fromUtf8("똠");
    // Neither encoding: read as CP949, the program's own, with replacements.
    QTest::newRow("lone lead byte at the end") << QByteArray("a\xb0") << false << "a";
    QTest::newRow("UTF-16 with its mark") << QByteArray("\xff\xfe[\0S\0]\0") << false << QString();
    QTest::newRow("overlong UTF-8 slash") << QByteArray("\xc0\xaf") << false << QString();
    QTest::newRow("UTF-8 surrogate") << QByteArray("\xed\xa0\x80") << false << QString();
}

void TestTextFile::encodingOfAFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QFETCH(QString, text);
    QCOMPARE(TextFile::detect(bytes) == TextFile::Encoding::Utf8, utf8);
    if (!text.isNull())
        QCOMPARE(TextFile::decode(bytes), text);
    else
        QVERIFY(!TextFile::decode(bytes).isEmpty());
}

void TestTextFile::mixedLogReadsLineByLine() {
    TempProgramFolder dir;
    // Saved once as UTF-8 by an editor, then continued by the program in CP949.
    dir.write("l.log", QString::fromUtf8("다시 시작 :2026-01-02 03:04:05\r\n").toUtf8() +
                           Cp949::encode(QString::fromUtf8("다시 시작 :2026-02-03 04:05:06\r\n")));
    QCOMPARE(TextFile::readLines(dir.file("l.log")),
             QStringList({QString::fromUtf8("다시 시작 :2026-01-02 03:04:05"),
                          QString::fromUtf8("다시 시작 :2026-02-03 04:05:06")}));
    // A UTF-8 pledge reads as its text and is stored back in CP949.
    dir.write("p.txt", "\xef\xbb\xbf" + QString::fromUtf8("끊는다\r\n꼭").toUtf8());
    const QString pledge = TextFile::readText(dir.file("p.txt"));
    QCOMPARE(pledge, QString::fromUtf8("끊는다\r\n꼭"));
    TextFile::writeText(dir.file("p.txt"), pledge, TextFile::ErrorKind::CannotCreate);
    QCOMPARE(dir.read("p.txt"), QByteArray("\xb2\xf7\xb4\xc2\xb4\xd9\r\n\xb2\xc0"));
}

void TestTextFile::pendingSaveReplacesOnlyOnCommit() {
    TempProgramFolder dir;
    dir.write("a.ini", "old");
    QFile::setPermissions(dir.file("a.ini"), QFile::ReadOwner | QFile::WriteOwner);
    const auto entries = [&] {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    };
    {
        TextFile::PendingSave never(dir.file("a.ini"), "abandoned",
                                    TextFile::ErrorKind::UnableToWrite);
        QCOMPARE(dir.read("a.ini"), QByteArray("old"));
        QCOMPARE(entries().size(), 2); // the file and its pending replacement
        QVERIFY(TextFile::isLeftover(QFileInfo(never.temporaryPath()).fileName()));
    }
    QCOMPARE(entries(), QStringList{"a.ini"});
    QCOMPARE(dir.read("a.ini"), QByteArray("old"));

    TextFile::PendingSave first(dir.file("a.ini"), "new a", TextFile::ErrorKind::UnableToWrite);
    TextFile::PendingSave second(dir.file("b.log"), "new b", TextFile::ErrorKind::CannotCreate);
    QVERIFY(!dir.exists("b.log"));
    first.commit();
    second.commit();
    QCOMPARE(dir.read("a.ini"), QByteArray("new a"));
    QCOMPARE(dir.read("b.log"), QByteArray("new b"));
    QCOMPARE(entries(), QStringList({"a.ini", "b.log"}));
    // The replacement keeps the permissions of the file it replaced.
    const QFile::Permissions p = QFile::permissions(dir.file("a.ini"));
    QVERIFY(p.testFlags(QFile::ReadOwner | QFile::WriteOwner));
#ifndef Q_OS_WIN // a Windows file takes the folder's access list, which Qt does not read
    QVERIFY(!(p & (QFile::ReadGroup | QFile::ReadOther)));
#endif
}

void TestTextFile::leftoverNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("leftover");
    QTest::newRow("log") << "plzNoSmoking.log.~tarvell.Ab12Cd" << true;
    QTest::newRow("anniversary") << "Anniversary - 2026.dat.~tarvell.zzzzzz" << true;
    QTest::newRow("user's backup") << "plzNoSmoking.ini.backup" << false;
    QTest::newRow("six letters without the mark") << "plzNoSmoking.log.Ab12Cd" << false;
    QTest::newRow("five letters") << "ToMe.txt.~tarvell.Ab12C" << false;
    QTest::newRow("seven letters") << "ToMe.txt.~tarvell.Ab12Cde" << false;
    QTest::newRow("something after") << "ToMe.txt.~tarvell.Ab12Cd.bak" << false;
    QTest::newRow("mark alone") << ".~tarvell.Ab12Cd" << false;
    QTest::newRow("punctuation") << "ToMe.txt.~tarvell.Ab-2Cd" << false;
}

void TestTextFile::leftoverNames() {
    QFETCH(QString, name);
    QFETCH(bool, leftover);
    QCOMPARE(TextFile::isLeftover(name), leftover);
}

void TestTextFile::removeLeftoversKeepsOtherFiles() {
    TempProgramFolder dir;
    const QStringList keep = {"plzNoSmoking.ini", "plzNoSmoking.ini.backup",
                              "plzNoSmoking.log.Ab12Cd"};
    for (const QString& name : keep)
        dir.write(name, "x");
    dir.write("plzNoSmoking.log.~tarvell.Ab12Cd", "half");
    dir.write("ToMe.txt.~tarvell.000000", "");
    // A folder of that name is not the program's; nor is what a link points to.
    QDir(dir.path()).mkdir("Holiday.dat.~tarvell.qwerty");
    QStringList kept = {"Holiday.dat.~tarvell.qwerty", "plzNoSmoking.ini",
                        "plzNoSmoking.ini.backup", "plzNoSmoking.log.Ab12Cd"};
#ifndef Q_OS_WIN // a Windows shortcut is a file of its own, not a link
    QFile::link(dir.file("plzNoSmoking.ini"), dir.file("link.~tarvell.abcdef"));
    kept.insert(1, "link.~tarvell.abcdef");
#endif
    QCOMPARE(TextFile::removeLeftovers(dir.path()), 2);
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             kept);
}

void TestTextFile::unreadableFileIsNotRewritten() {
    TempProgramFolder dir;
    QDir(dir.path()).mkdir("a.ini");
    QVERIFY_THROWS_EXCEPTION(
        EFileError, TextFile::readForUpdate(dir.file("a.ini"), TextFile::ErrorKind::UnableToWrite));
    QCOMPARE(TextFile::readForUpdate(dir.file("missing"), TextFile::ErrorKind::UnableToWrite),
             QByteArray());
    QCOMPARE(TextFile::readBytes(dir.file("a.ini")), QByteArray());
}

// A FIFO would block the reader, /dev/zero would never end: what is not a
// regular file of a sane size reads as nothing and refuses a rewrite.
void TestTextFile::onlyRegularFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "/dev/zero";
    QTest::newRow("a byte over 128 MiB") << "huge";
}

void TestTextFile::onlyRegularFilesAreRead() {
    QFETCH(QString, kind);
#ifdef Q_OS_WIN
    if (kind != "huge")
        QSKIP("a Windows folder holds no FIFO and no link to a device");
#endif
    TempProgramFolder dir;
    const QString path = dir.file("plzNoSmoking.ini");
    dir.write("plzNoSmoking.ini", "[Date]\r\n");
    if (kind == "huge") // sparse where the file system can: it takes no room on the disk
        QVERIFY(QFile::resize(path, 128LL * 1024 * 1024 + 1));
#ifndef Q_OS_WIN
    else if (QFile::remove(path) && kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    else
        QVERIFY(QFile::link(kind, path));

    bool exists = true;
    QCOMPARE(TextFile::readBytes(path, &exists), QByteArray());
    QVERIFY(!exists);
    try {
        TextFile::readForUpdate(path, TextFile::ErrorKind::UnableToWrite);
        QFAIL("read for a rewrite");
    } catch (const EFileError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
