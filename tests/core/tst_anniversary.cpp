#include "core/ProjectInfo.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

namespace {
// The store on 5 March 2026, the day most cases write.
TvxAnniversary march5(const TempProgramFolder& dir) {
    TvxAnniversary a(dir.path());
    a.Year = 2026;
    a.Month = 3;
    a.Day = 5;
    return a;
}
} // namespace

class TestAnniversary : public QObject {
    Q_OBJECT
private slots:
    void cursorStartsAtTodaysMonth();
    void stepping_data();
    void stepping();
    void fileNames();
    void lunarText();
    void commaTextRoundTrip_data();
    void commaTextRoundTrip();
    void commaTextReading_data();
    void commaTextReading();
    void storedForm();
    void emptyEditorAndDelete();
    void holidays();
    void holidayLookupOrder_data();
    void holidayLookupOrder();
    void failedSaveKeepsFile();
    void dayLimit_data();
    void dayLimit();
    void dayLimitAsStored_data();
    void dayLimitAsStored();
};

void TestAnniversary::cursorStartsAtTodaysMonth() {
    FrozenClock clock(EncodeDateTime(2026, 12, 8, 13, 0, 0));
    TempProgramFolder dir;
    TvxAnniversary a(dir.path());
    QCOMPARE(int(a.Year), 2026);
    QCOMPARE(int(a.Month), 12);
    QCOMPARE(int(a.Day), 0);
}

void TestAnniversary::stepping_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("toYear");
    QTest::addColumn<int>("toMonth");
    QTest::newRow("next month over new year") << 2026 << 12 << "NextMonth" << 2027 << 1;
    QTest::newRow("prev month over new year") << 2026 << 1 << "PrevMonth" << 2025 << 12;
    QTest::newRow("next month") << 2026 << 5 << "NextMonth" << 2026 << 6;
    QTest::newRow("prev year") << 2026 << 5 << "PrevYear" << 2025 << 5;
    QTest::newRow("next year wraps") << 65535 << 5 << "NextYear" << 0 << 5;
    QTest::newRow("prev month wraps the year") << 0 << 1 << "PrevMonth" << 65535 << 12;
}

void TestAnniversary::stepping() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, step);
    QFETCH(int, toYear);
    QFETCH(int, toMonth);
    TempProgramFolder dir;
    TvxAnniversary a(dir.path());
    a.Year = uint16_t(year);
    a.Month = uint16_t(month);
    if (step == "NextMonth")
        a.NextMonth();
    else if (step == "PrevMonth")
        a.PrevMonth();
    else if (step == "PrevYear")
        a.PrevYear();
    else
        a.NextYear();
    QCOMPARE(int(a.Year), toYear);
    QCOMPARE(int(a.Month), toMonth);
    a.Day = 1;
    QVERIFY(!a.LunarText().isEmpty()); // never fails, whatever the year
}

void TestAnniversary::fileNames() {
    TempProgramFolder dir;
    TvxAnniversary a(dir.path());
    a.Year = 2026;
    a.Month = 12;
    QCOMPARE(a.AnniversaryFileName(), dir.path() + "Anniversary - 2026.dat");
    QCOMPARE(a.HolidayFileName(), dir.path() + "Holiday - 2026.dat");
    a.NextMonth();
    QCOMPARE(a.AnniversaryFileName(), dir.path() + "Anniversary - 2027.dat");
    a.Year = 7;
    QCOMPARE(a.HolidayFileName(), dir.path() + "Holiday - 7.dat");
    a.Day = 31;
    QCOMPARE(a.MonthKey(), QStringLiteral("1"));
    QCOMPARE(a.DayKey(), QStringLiteral("31"));
}

void TestAnniversary::lunarText() {
    TempProgramFolder dir;
    TvxAnniversary a(dir.path());
    a.Year = 2026;
    a.Month = 12;
    a.Day = 7;
    QCOMPARE(a.LunarText(), QStringLiteral("10.29 乙卯"));
    a.Year = 2023;
    a.Month = 3;
    a.Day = 22; // intercalary month: no mark, the repeated number
    QCOMPARE(a.LunarText().left(4), QStringLiteral("2.1 "));
    a.Year = 1800;
    a.Month = 1;
    a.Day = 1; // outside the table: only the day's name
    QCOMPARE(a.LunarText().size(), 2);
}

void TestAnniversary::commaTextRoundTrip_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("plain") << QStringList{"생일"};
    QTest::newRow("blank inside") << QStringList{"생일", "결혼 기념일"};
    QTest::newRow("comma inside") << QStringList{"1,2 기념"};
    QTest::newRow("quotes inside") << QStringList{"\"따옴표\"", "a\"b"};
    QTest::newRow("one empty entry") << QStringList{""};
    QTest::newRow("empty among others") << QStringList{"a", "", "b"};
    QTest::newRow("leading and trailing blanks") << QStringList{"  a  ", "\tb"};
    QTest::newRow("single quotes") << QStringList{"'x'", "it's"};
    QTest::newRow("empty list") << QStringList{};
}

void TestAnniversary::commaTextRoundTrip() {
    QFETCH(QStringList, entries);
    QCOMPARE(SplitCommaText(CommaTextOf(entries)), entries);
    // And through the file, where the value is wrapped in one more pair of quotes.
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    a.WriteAnniversaries(entries);
    QCOMPARE(a.ReadAnniversaries(5), entries);
}

void TestAnniversary::commaTextReading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("unquoted blank splits") << "a b" << QStringList{"a", "b"};
    QTest::newRow("blanks around commas") << " a , b " << QStringList{"a", "b"};
    QTest::newRow("comma at the very end") << "a," << QStringList{"a", ""};
    QTest::newRow("comma then blank at the end") << "a, " << QStringList{"a"};
    QTest::newRow("two commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("unclosed quote runs to the end") << "\"a b" << QStringList{"a b"};
    QTest::newRow("text after a closing quote") << "\"a\"b" << QStringList{"a", "b"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("only blanks") << "   " << QStringList{};
    QTest::newRow("two quotes") << "\"\"" << QStringList{""};
}

void TestAnniversary::commaTextReading() {
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(SplitCommaText(text), entries);
}

void TestAnniversary::storedForm() {
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    a.WriteAnniversaries({QStringLiteral("생일"), QStringLiteral("결혼 기념일")});
    const QByteArray bytes = dir.read("Anniversary - 2026.dat");
    QCOMPARE(Cp949::decode(bytes), QStringLiteral("[3]\r\n5=\"생일,\"결혼 기념일\"\"\r\n"));
    // A hand-edited value with an unquoted blank reads as two entries.
    dir.write("Anniversary - 2026.dat", "[3]\r\n5=a b\r\n");
    QCOMPARE(a.ReadAnniversaries(5), QStringList({"a", "b"}));
}

void TestAnniversary::emptyEditorAndDelete() {
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    a.WriteAnniversaries({});
    QCOMPARE(dir.read("Anniversary - 2026.dat"), QByteArray("[3]\r\n5=\"\"\r\n"));
    QCOMPARE(a.ReadAnniversaries(5), QStringList());
    a.Day = 6;
    a.WriteAnniversaries({"x"});
    a.Day = 5;
    a.DeleteAnniversaries();
    QCOMPARE(dir.read("Anniversary - 2026.dat"), QByteArray("[3]\r\n6=\"x\"\r\n"));
}

void TestAnniversary::holidays() {
    TempProgramFolder dir;
    TvxAnniversary a(dir.path());
    a.Year = 2026;
    a.Month = 2;
    QCOMPARE(a.ReadHoliday(17), QString());
    dir.write("Holiday - 2026.dat", Cp949::encode(QStringLiteral("[2]\r\n17=설날\r\n")));
    QCOMPARE(a.ReadHoliday(17), QStringLiteral("설날"));
    a.Year = 2027; // another year, another file
    QCOMPARE(a.ReadHoliday(17), QString());
}

void TestAnniversary::holidayLookupOrder_data() {
    QTest::addColumn<QByteArray>("own");     // the records folder's file; empty: none
    QTest::addColumn<QByteArray>("shipped"); // the installed data folder's file; empty: none
    QTest::addColumn<QString>("read");       // whose file is read: "own" or "shipped"
    QTest::addColumn<QString>("holiday");    // the name of 17 February 2026
    const QByteArray seollal = Cp949::encode(QStringLiteral("[2]\r\n17=설날\r\n"));
    const QByteArray mine = Cp949::encode(QStringLiteral("[2]\r\n17=우리 설\r\n"));
    const QByteArray other = Cp949::encode(QStringLiteral("[3]\r\n1=삼일절\r\n"));
    QTest::newRow("shipped only") << QByteArray() << seollal << "shipped"
                                  << "설날";
    QTest::newRow("own only") << mine << QByteArray() << "own"
                              << "우리 설";
    QTest::newRow("own wins") << mine << seollal << "own"
                              << "우리 설";
    // A user's file replaces the shipped year whole: a day left out stays out.
    QTest::newRow("own wins without the day") << other << seollal << "own"
                                              << "";
    QTest::newRow("neither") << QByteArray() << QByteArray() << "own"
                             << "";
}

void TestAnniversary::holidayLookupOrder() {
    QFETCH(QByteArray, own);
    QFETCH(QByteArray, shipped);
    QFETCH(QString, read);
    QFETCH(QString, holiday);
    TempProgramFolder records;
    TempProgramFolder installed;
    if (!own.isEmpty())
        records.write("Holiday - 2026.dat", own);
    if (!shipped.isEmpty())
        installed.write("Holiday - 2026.dat", shipped);
    TvxAnniversary a(records.path(), installed.path());
    a.Year = 2026;
    a.Month = 2;
    QCOMPARE(a.HolidayFileName(),
             (read == "own" ? records.path() : installed.path()) + "Holiday - 2026.dat");
    QCOMPARE(a.ReadHoliday(17), holiday);
    // Anniversaries are the user's alone and never come from the shipped folder.
    QCOMPARE(a.AnniversaryFileName(), records.path() + "Anniversary - 2026.dat");
    // Each year looks again.
    installed.write("Holiday - 2027.dat", Cp949::encode(QStringLiteral("[2]\r\n6=설날\r\n")));
    a.Year = 2027;
    QCOMPARE(a.ReadHoliday(6), QStringLiteral("설날"));
    a.Year = 2028;
    QCOMPARE(a.HolidayFileName(), records.path() + "Holiday - 2028.dat");
    // Without an installed data folder only the records folder counts.
    TvxAnniversary portable(records.path());
    portable.Year = 2027;
    QCOMPARE(portable.HolidayFileName(), records.path() + "Holiday - 2027.dat");
}

void TestAnniversary::failedSaveKeepsFile() {
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    a.WriteAnniversaries({"a"});
    const QByteArray before = dir.read("Anniversary - 2026.dat");
    try {
        TestSupport::FileSizeLimit limit(4);
        a.WriteAnniversaries({QString(100, u'b')});
        QFAIL("no error");
    } catch (const EFileError& e) {
        QCOMPARE(e.message(), "Unable to write to " + a.AnniversaryFileName());
    }
    QCOMPARE(dir.read("Anniversary - 2026.dat"), before);
    QVERIFY_THROWS_EXCEPTION(EFileError, a.WriteAnniversaries({QString::fromUtf8("🎂")}));
    QCOMPARE(dir.read("Anniversary - 2026.dat"), before);
}

void TestAnniversary::dayLimit_data() {
    // A read gives back at most 2047 bytes: a day may hold exactly that much.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<qsizetype>("refusedBytes"); // 0: stored
    QTest::newRow("2047 ASCII") << QStringList{QString(2047, u'a')} << qsizetype(0);
    QTest::newRow("2048 ASCII") << QStringList{QString(2048, u'a')} << qsizetype(2048);
    // Two bytes a Hangul letter in the file.
    QTest::newRow("1023 Hangul and a letter")
        << QStringList{QString(1023, QChar(0xAC00)) + u'a'} << qsizetype(0);
    QTest::newRow("1024 Hangul") << QStringList{QString(1024, QChar(0xAC00))} << qsizetype(2048);
    // Quotes around an entry with a blank count too.
    QTest::newRow("quoted to 2049") << QStringList{QString(2046, u'a') + u' '} << qsizetype(2049);
}

void TestAnniversary::dayLimit() {
    QFETCH(QStringList, entries);
    QFETCH(qsizetype, refusedBytes);
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    a.WriteAnniversaries({"a"});
    const QByteArray before = dir.read("Anniversary - 2026.dat");
    try {
        a.WriteAnniversaries(entries);
        QCOMPARE(refusedBytes, qsizetype(0));
        QCOMPARE(a.ReadAnniversaries(5), entries); // read back whole
    } catch (const EDayTooLong& refused) {
        QCOMPARE(refused.Bytes, refusedBytes);
        QCOMPARE(dir.read("Anniversary - 2026.dat"), before);
    }
}

// The limit holds for the value as its file stores it: a longer day of an
// older copy reads whole and is not stored back unshortened; a Korean letter
// takes three bytes in a file that has to stay UTF-8 (it holds a character
// CP949 lacks).
void TestAnniversary::dayLimitAsStored_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("refused"); // bytes; 0: stored, and read back whole
    QTest::addColumn<bool>("utf8");   // the file's encoding afterwards
    const QByteArray cake = QStringLiteral("[3]\r\n6=🎂\r\n").toUtf8();
    QTest::newRow("3000 bytes of an older copy")
        << "[3]\r\n5=\"" + QByteArray(3000, 'a') + "\"\r\n"
        << QStringList{QString(3000, u'a')} << 3000 << false;
    QTest::newRow("UTF-8 kept: 683 Hangul")
        << cake << QStringList{QString(683, QChar(0xAC00))} << 2049 << true;
    QTest::newRow("UTF-8 kept: 682 Hangul")
        << cake << QStringList{QString(682, QChar(0xAC00))} << 0 << true;
}

void TestAnniversary::dayLimitAsStored() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    QFETCH(int, refused);
    QFETCH(bool, utf8);
    TempProgramFolder dir;
    TvxAnniversary a = march5(dir);
    dir.write("Anniversary - 2026.dat", file);
    if (file.contains("5="))
        QCOMPARE(a.ReadAnniversaries(5), entries); // whole
    try {
        a.WriteAnniversaries(entries);
        QCOMPARE(refused, 0);
        QCOMPARE(IniProfile(a.AnniversaryFileName()).ReadString("3", "5", ""),
                 CommaTextOf(entries));
    } catch (const EDayTooLong& e) {
        QCOMPARE((QList<qsizetype>{e.Bytes, e.HangulBytes}),
                 (QList<qsizetype>{refused, utf8 ? 3 : 2}));
        QCOMPARE(dir.read("Anniversary - 2026.dat"), file);
    }
    QCOMPARE(TextFile::detect(dir.read("Anniversary - 2026.dat")) == TextFile::Encoding::Utf8,
             utf8);
}

QTEST_GUILESS_MAIN(TestAnniversary)
#include "tst_anniversary.moc"
