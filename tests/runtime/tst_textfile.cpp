#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QTest>

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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
