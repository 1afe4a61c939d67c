#include "runtime/Errors.h"
#include "runtime/Profile.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
