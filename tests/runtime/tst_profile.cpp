#include "runtime/Errors.h"
#include "runtime/Profile.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using TestSupport::TempProgramFolder;

class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void integers_data();
    void integers();
    void booleans();
    void valueLimitKeepsWholeCharacters_data();
    void valueLimitKeepsWholeCharacters();
    void newFileIsCp949WithCrLf();
    void writeChangesOnlyItsLine_data();
    void writeChangesOnlyItsLine();
    void deleteAndList();
    void dateTimes();
    void refusedWritesLeaveFileAlone_data();
    void refusedWritesLeaveFileAlone();
    void failedSaveKeepsOldFile();
    void missingFolderReportsPath();
    void rewriteKeepsKeySpelling_data();
    void rewriteKeepsKeySpelling();
    void listedNamesCanBeRead_data();
    void listedNamesCanBeRead();
    void utf8FilesReadAndGoBackToCp949_data();
    void utf8FilesReadAndGoBackToCp949();
    void severalKeysInOneSave();
};

namespace {
const QByteArray kSample = "; a comment line\r\n"
                           "[Personal]\r\n"
                           "Debt=9125000\r\n"
                           "  Cigar Price =  125  \r\n"
                           "quoted=\"  spaced  \"\r\n"
                           "single='x'\r\n"
                           "empty=\r\n"
                           "emptyQuotes=\"\"\r\n"
                           "mismatched=\"abc'\r\n"
                           "lonequote=\"\r\n"
                           "no equals sign here\r\n"
                           "Debt=1\r\n"
                           "\r\n"
                           "[personal]\r\n"
                           "Other=ignored\r\n"
                           "[Date]\r\n"
                           "Start=2026-12-07 12:43:14\r\n";
} // namespace

void TestProfile::reading_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Personal"
                           << "Debt"
                           << "9125000";
    QTest::newRow("case of names") << "PERSONAL"
                                   << "debt"
                                   << "9125000";
    QTest::newRow("blanks around names and value") << "Personal"
                                                   << "cigar price"
                                                   << "125";
    QTest::newRow("double quotes removed, inner blanks kept") << "Personal"
                                                              << "quoted"
                                                              << "  spaced  ";
    QTest::newRow("single quotes removed") << "Personal"
                                           << "single"
                                           << "x";
    QTest::newRow("nothing after =") << "Personal"
                                     << "empty"
                                     << "";
    QTest::newRow("two quotes read as empty") << "Personal"
                                              << "emptyQuotes"
                                              << "";
    QTest::newRow("mismatched quotes stay") << "Personal"
                                            << "mismatched"
                                            << "\"abc'";
    QTest::newRow("a lone quote stays") << "Personal"
                                        << "lonequote"
                                        << "\"";
    QTest::newRow("line without = is no key") << "Personal"
                                              << "no equals sign here"
                                              << "<def>";
    QTest::newRow("duplicated section: first counts") << "Personal"
                                                      << "Other"
                                                      << "<def>";
    QTest::newRow("missing key") << "Date"
                                 << "Restart"
                                 << "<def>";
    QTest::newRow("missing section") << "Prog"
                                     << "Left"
                                     << "<def>";
    QTest::newRow("comment is no key") << "Personal"
                                       << "; a comment line"
                                       << "<def>";
}

void TestProfile::reading() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TempProgramFolder dir;
    dir.write("a.ini", kSample);
    IniProfile ini(dir.file("a.ini"));
    QCOMPARE(ini.ReadString(section, key, "<def>"), expected);
    QCOMPARE(ini.ValueExists(section, key), expected != "<def>");
}

void TestProfile::integers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("42") << 42;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("negative") << QByteArray("-15") << -15;
    QTest::newRow("hex 0x10") << QByteArray("0x10") << 16;
    QTest::newRow("hex 0X1f") << QByteArray("0X1f") << 31;
    QTest::newRow("bare 0x") << QByteArray("0x") << -1;
    QTest::newRow("letters") << QByteArray("abc") << -1;
    QTest::newRow("trailing letters") << QByteArray("12abc") << -1;
    QTest::newRow("inner blank") << QByteArray("1 2") << -1;
    QTest::newRow("int32 max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("int32 min") << QByteArray("-2147483648") << int(INT32_MIN);
    QTest::newRow("above int32") << QByteArray("2147483648") << -1;
    QTest::newRow("hex above int32") << QByteArray("0x80000000") << -1;
    QTest::newRow("quoted number") << QByteArray("\"25\"") << 25;
    QTest::newRow("empty") << QByteArray("") << -1;
}

void TestProfile::integers() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    TempProgramFolder dir;
    dir.write("a.ini", "[S]\r\nk=" + value + "\r\n");
    QCOMPARE(IniProfile(dir.file("a.ini")).ReadInteger("S", "k", -1), expected);
}

void TestProfile::booleans() {
    TempProgramFolder dir;
    IniProfile ini(dir.file("a.ini"));
    QCOMPARE(ini.ReadBool("Prog", "sc", true), true);
    ini.WriteBool("Prog", "sc", false);
    QCOMPARE(ini.ReadString("Prog", "sc", {}), QStringLiteral("0"));
    QCOMPARE(ini.ReadBool("Prog", "sc", true), false);
    ini.WriteString("Prog", "sc", "5");
    QCOMPARE(ini.ReadBool("Prog", "sc", false), true);
    ini.WriteString("Prog", "sc", "yes");
    QCOMPARE(ini.ReadBool("Prog", "sc", false), false);
    QCOMPARE(ini.ReadBool("Prog", "sc", true), true);
}

void TestProfile::valueLimitKeepsWholeCharacters_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expectedBytes");
    const QByteArray ga = "\xb0\xa1"; // one two-byte character
    QTest::newRow("ascii") << QByteArray(3000, 'a') << 2047;
    QTest::newRow("exactly 2047") << QByteArray(2047, 'a') << 2047;
    QTest::newRow("boundary falls between characters") << "a" + ga.repeated(1100) << 2047;
    QTest::newRow("boundary falls inside a character") << "aa" + ga.repeated(1100) << 2046;
}

void TestProfile::valueLimitKeepsWholeCharacters() {
    QFETCH(QByteArray, value);
    QFETCH(int, expectedBytes);
    TempProgramFolder dir;
    dir.write("a.ini", "[S]\r\nk=" + value + "\r\n");
    const QString read = IniProfile(dir.file("a.ini")).ReadString("S", "k", {});
    QCOMPARE(Cp949::encode(read).size(), expectedBytes);
    QVERIFY(!read.contains(QChar::ReplacementCharacter));
}

void TestProfile::newFileIsCp949WithCrLf() {
    TempProgramFolder dir;
    IniProfile ini(dir.file("new.ini"));
    ini.WriteInteger("Personal", "Debt", 5);
    ini.WriteString("Personal", "Name", QStringLiteral("가각"));
    ini.WriteInteger("Prog", "Left", -3);
    QCOMPARE(dir.read("new.ini"), QByteArray("[Personal]\r\nDebt=5\r\nName=\xb0\xa1\xb0\xa2\r\n"
                                             "[Prog]\r\nLeft=-3\r\n"));
    QCOMPARE(ini.ReadString("personal", "name", {}), QStringLiteral("가각"));
}

void TestProfile::writeChangesOnlyItsLine_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QByteArray base = "; keep me\n[A]\nx=1\r\n\r\n[B]\ny = 2\n";
    QTest::newRow("replace keeps the file's spelling and other line ends")
        << base << "a"
        << "X" << QByteArray("; keep me\n[A]\nx=v\r\n\r\n[B]\ny = 2\n");
    QTest::newRow("new key goes before the blank line")
        << base << "A"
        << "z" << QByteArray("; keep me\n[A]\nx=1\r\nz=v\r\n\r\n[B]\ny = 2\n");
    QTest::newRow("new key in the last section")
        << base << "B"
        << "z" << QByteArray("; keep me\n[A]\nx=1\r\n\r\n[B]\ny = 2\nz=v\r\n");
    QTest::newRow("new section at the end") << base << "C"
                                            << "k" << QByteArray(base + "[C]\r\nk=v\r\n");
    QTest::newRow("unterminated last line gets its end")
        << QByteArray("[A]\nx=1") << "A"
        << "y" << QByteArray("[A]\nx=1\r\ny=v\r\n");
    // A file whose last line has no line end (written by hand) keeps that
    // line whole whatever is added after it.
    QTest::newRow("new section after an unterminated line")
        << QByteArray("[A]\nx=1") << "C"
        << "k" << QByteArray("[A]\nx=1\r\n[C]\r\nk=v\r\n");
    QTest::newRow("new section after an unterminated comment")
        << QByteArray("[A]\r\nx=1\r\n; note") << "C"
        << "k" << QByteArray("[A]\r\nx=1\r\n; note\r\n[C]\r\nk=v\r\n");
    QTest::newRow("new key under an unterminated header") << QByteArray("[A]") << "A"
                                                          << "y" << QByteArray("[A]\r\ny=v\r\n");
    QTest::newRow("new key in an earlier section, last line untouched")
        << QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2") << "A"
        << "z" << QByteArray("[A]\r\nx=1\r\nz=v\r\n[B]\r\ny=2");
    QTest::newRow("unterminated line replaced") << QByteArray("[A]\nx=1") << "A"
                                                << "x" << QByteArray("[A]\nx=v");
    QTest::newRow("new key after a line ended by a lone CR")
        << QByteArray("[A]\rx=1\r") << "A"
        << "y" << QByteArray("[A]\rx=1\ry=v\r\n");
    QTest::newRow("only the first duplicate is changed")
        << QByteArray("[A]\r\nx=1\r\nx=2\r\n") << "A"
        << "x" << QByteArray("[A]\r\nx=v\r\nx=2\r\n");
}

void TestProfile::writeChangesOnlyItsLine() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    TempProgramFolder dir;
    dir.write("a.ini", before);
    IniProfile(dir.file("a.ini")).WriteString(section, key, "v");
    QCOMPARE(dir.read("a.ini"), after);
}

void TestProfile::deleteAndList() {
    TempProgramFolder dir;
    dir.write("a.dat", "[3]\r\n5=\"a\"\r\n; note\r\n1=b\r\n12=c\r\n1=dup\r\n[4]\r\n2=d\r\n");
    IniProfile ini(dir.file("a.dat"));
    QCOMPARE(ini.ReadSection("3"), QStringList({"5", "1", "12"}));
    QCOMPARE(ini.ReadSection("9"), QStringList());
    ini.DeleteKey("3", "1");
    QCOMPARE(dir.read("a.dat"),
             QByteArray("[3]\r\n5=\"a\"\r\n; note\r\n12=c\r\n1=dup\r\n[4]\r\n2=d\r\n"));
    // Deleting what is not there writes nothing, not even a new file.
    ini.DeleteKey("7", "1");
    IniProfile(dir.file("none.dat")).DeleteKey("1", "1");
    QVERIFY(!dir.exists("none.dat"));
}

void TestProfile::dateTimes() {
    TempProgramFolder dir;
    IniProfile ini(dir.file("a.ini"));
    const TDateTime def = EncodeDateTime(2000, 1, 1);
    QCOMPARE(ini.ReadDateTime("Date", "Start", def), def);
    const TDateTime t = EncodeDateTime(2026, 12, 7, 12, 43, 14);
    ini.WriteDateTime("Date", "Start", t);
    QCOMPARE(ini.ReadString("Date", "Start", {}), QStringLiteral("2026-12-07 12:43:14"));
    QCOMPARE(FormatDateTime(ini.ReadDateTime("Date", "Start", def)), FormatDateTime(t));
    ini.WriteDateTime("Date", "Start", EncodeDateTime(2026, 12, 7));
    QCOMPARE(ini.ReadString("Date", "Start", {}), QStringLiteral("2026-12-07"));
    ini.WriteString("Date", "Start", "");
    QCOMPARE(ini.ReadDateTime("Date", "Start", def), def);
    ini.WriteString("Date", "Start", "2026-13-01");
    QCOMPARE(ini.ReadDateTime("Date", "Start", def), def);
}

void TestProfile::refusedWritesLeaveFileAlone_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("messageHas");
    QTest::newRow("line feed in value") << "S"
                                        << "k"
                                        << "a\nb=c"
                                        << "Unable to write to";
    QTest::newRow("carriage return in value") << "S"
                                              << "k"
                                              << "a\rb"
                                              << "Unable to write to";
    QTest::newRow("line break in key") << "S"
                                       << "k\nx"
                                       << "v"
                                       << "Unable to write to";
    QTest::newRow("bracket in section") << "S]x"
                                        << "k"
                                        << "v"
                                        << "Unable to write to";
    QTest::newRow("emoji") << "S"
                           << "k" << QString::fromUtf8("생일 🎂") << QString::fromUtf8("🎂");
    QTest::newRow("rare hanja") << "S"
                                << "k" << QString::fromUtf8("𠀀") << QString::fromUtf8("𠀀");
}

void TestProfile::refusedWritesLeaveFileAlone() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, messageHas);
    TempProgramFolder dir;
    const QByteArray before = "[S]\r\nk=old\r\n";
    dir.write("a.ini", before);
    IniProfile ini(dir.file("a.ini"));
    try {
        ini.WriteString(section, key, value);
        QFAIL("the write was not refused");
    } catch (const EFileError& e) {
        QVERIFY2(e.message().contains(messageHas), qPrintable(e.message()));
        QVERIFY(e.message().contains(dir.file("a.ini")));
    }
    QCOMPARE(dir.read("a.ini"), before);
}

void TestProfile::failedSaveKeepsOldFile() {
    TempProgramFolder dir;
    const QByteArray before = "[S]\r\nk=old\r\n";
    dir.write("a.ini", before);
    IniProfile ini(dir.file("a.ini"));
    try {
        TestSupport::FileSizeLimit limit(8);
        ini.WriteString("S", "k", QString(500, u'x'));
        QFAIL("the write did not fail");
    } catch (const EFileError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + dir.file("a.ini"));
    }
    QCOMPARE(dir.read("a.ini"), before);
    // Nothing is left behind beside it.
    QCOMPARE(dir.files(), QStringList({"a.ini"}));
}

void TestProfile::missingFolderReportsPath() {
    TempProgramFolder dir;
    const QString path = dir.path() + "gone/a.ini";
    IniProfile ini(path);
    QCOMPARE(ini.ReadInteger("S", "k", 7), 7);
    QVERIFY_THROWS_EXCEPTION(EFileError, ini.WriteInteger("S", "k", 1));
    try {
        TextFile::writeLines(dir.path() + "gone/x.log", {"a"}, TextFile::ErrorKind::CannotCreate);
        QFAIL("no error");
    } catch (const EFileError& e) {
        const QString prefix =
            QStringLiteral("Cannot create file \"%1\". ").arg(dir.path() + "gone/x.log");
        QVERIFY2(e.message().startsWith(prefix), qPrintable(e.message()));
        QVERIFY(e.message().size() > prefix.size()); // the system's reason follows
    }
}

void TestProfile::rewriteKeepsKeySpelling_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("k rewritten through K") << QByteArray("[S]\r\nk=1\r\n") << "S"
                                           << "K" << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("mixed case, blanks around the name")
        << QByteArray("[personal]\r\n  Cigar Price =  125  \r\n") << "Personal"
        << "CIGAR PRICE" << QByteArray("[personal]\r\nCigar Price=v\r\n");
    QTest::newRow("Korean name") << QByteArray("[S]\r\n\xbb\xfd\xc0\xcf=1\r\n") << "s"
                                 << QString::fromUtf8("생일")
                                 << QByteArray("[S]\r\n\xbb\xfd\xc0\xcf=v\r\n");
    QTest::newRow("same value: file untouched") << QByteArray("[S]\r\nKey=v\r\n") << "S"
                                                << "KEY" << QByteArray("[S]\r\nKey=v\r\n");
}

// The same write as above, through names spelt otherwise than in the file.
void TestProfile::rewriteKeepsKeySpelling() {
    writeChangesOnlyItsLine();
}

void TestProfile::listedNamesCanBeRead_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("value");
    // Blank, tab, vertical tab and form feed surround names; any other
    // control character belongs to the name.
    QTest::newRow("vertical tab") << QByteArray("\x0bvt=1") << "vt"
                                  << "1";
    QTest::newRow("form feed and blank") << QByteArray("\x0c ff =2") << "ff"
                                         << "2";
    QTest::newRow("tab") << QByteArray("\ttab\t=3") << "tab"
                         << "3";
    QTest::newRow("start of heading") << QByteArray("\x01soh=4") << "\x01soh"
                                      << "4";
    QTest::newRow("escape inside") << QByteArray("a\x1b b=5") << "a\x1b b"
                                   << "5";
    QTest::newRow("ideographic space")
        << QByteArray("\xa1\xa1wide=6") << QString::fromUtf8("\u3000wide") << "6";
}

void TestProfile::listedNamesCanBeRead() {
    QFETCH(QByteArray, line);
    QFETCH(QString, listed);
    QFETCH(QString, value);
    TempProgramFolder dir;
    dir.write("a.dat", "[S]\r\n" + line + "\r\n");
    IniProfile ini(dir.file("a.dat"));
    QCOMPARE(ini.ReadSection("S"), QStringList{listed});
    QCOMPARE(ini.ReadString("S", listed, "<def>"), value);
    QVERIFY(ini.ValueExists("S", listed));
    // A rewrite through the listed name finds the same line.
    ini.WriteString("S", listed, "new");
    QCOMPARE(ini.ReadSection("S"), QStringList{listed});
    QCOMPARE(ini.ReadString("S", listed, "<def>"), QStringLiteral("new"));
    ini.DeleteKey("S", listed);
    QCOMPARE(dir.read("a.dat"), QByteArray("[S]\r\n"));
}

void TestProfile::utf8FilesReadAndGoBackToCp949_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("afterWrite");
    const QByteArray bom = "\xEF\xBB\xBF";
    QTest::newRow("mark before the first section")
        << bom + "[Personal]\r\nDebt=9125000\r\n"
        << "Personal"
        << "Debt"
        << "9125000" << QByteArray("[Personal]\r\nDebt=9125000\r\nw=1\r\n");
    QTest::newRow("Korean value without a mark")
        << QString::fromUtf8("[1]\r\n1=\"설날\"\r\n").toUtf8() << "1"
        << "1" << QString::fromUtf8("설날")
        << QByteArray("[1]\r\n1=\"\xbc\xb3\xb3\xaf\"\r\nw=1\r\n");
    QTest::newRow("Korean key and value with a mark")
        << bom + QString::fromUtf8("[기념일]\n생일=엄마\n").toUtf8() << QString::fromUtf8("기념일")
        << QString::fromUtf8("생일") << QString::fromUtf8("엄마")
        << Cp949::encode(QString::fromUtf8("[기념일]\n생일=엄마\nw=1\r\n"));
    // What CP949 cannot hold stays: the file stays UTF-8 rather than lose it.
    QTest::newRow("a character CP949 lacks keeps the file UTF-8")
        << bom + QString::fromUtf8("[S]\r\nk=케이크 🎂\r\n").toUtf8() << "S"
        << "k" << QString::fromUtf8("케이크 🎂")
        << bom + QString::fromUtf8("[S]\r\nk=케이크 🎂\r\nw=1\r\n").toUtf8();
    QTest::newRow("kept UTF-8 gets the mark")
        << QString::fromUtf8("[S]\r\nk=케이크 🎂\r\n").toUtf8() << "S"
        << "k" << QString::fromUtf8("케이크 🎂")
        << bom + QString::fromUtf8("[S]\r\nk=케이크 🎂\r\nw=1\r\n").toUtf8();
    QTest::newRow("well-formed CP949 stays CP949")
        << QByteArray("[S]\r\nk=\xb0\xa1\r\n") << "S"
        << "k" << QString::fromUtf8("가") << QByteArray("[S]\r\nk=\xb0\xa1\r\nw=1\r\n");
}

void TestProfile::utf8FilesReadAndGoBackToCp949() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, afterWrite);
    TempProgramFolder dir;
    dir.write("a.ini", before);
    IniProfile ini(dir.file("a.ini"));
    QCOMPARE(ini.ReadString(section, key, "<def>"), value);
    QCOMPARE(ini.ReadSection(section), QStringList{key});
    ini.WriteString(section, "w", "1");
    QCOMPARE(dir.read("a.ini"), afterWrite);
    QCOMPARE(ini.ReadString(section, key, "<def>"), value);
}

void TestProfile::severalKeysInOneSave() {
    TempProgramFolder dir;
    dir.write("a.ini", "[Date]\r\nStart=2026-01-01\r\n[Personal]\r\ncount retry=2\r\n");
    IniProfile ini(dir.file("a.ini"));
    const QByteArray bytes = ini.WithValues(
        {{"Date", "Restart", "2026-12-07 12:43:14"}, {"Personal", "Count Retry", "3"}});
    // Nothing is written until the caller saves the bytes.
    QCOMPARE(dir.read("a.ini"), QByteArray("[Date]\r\nStart=2026-01-01\r\n[Personal]\r\n"
                                           "count retry=2\r\n"));
    QCOMPARE(bytes, QByteArray("[Date]\r\nStart=2026-01-01\r\nRestart=2026-12-07 12:43:14\r\n"
                               "[Personal]\r\ncount retry=3\r\n"));
    // One refused entry refuses them all.
    QVERIFY_THROWS_EXCEPTION(EFileError, ini.WithValues({{"Date", "Restart", "x"},
                                                         {"Personal", "Count Retry", "a\nb"}}));
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
