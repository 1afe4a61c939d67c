#pragma once
// The records the program keeps in its records folder (beside the executable
// for a portable copy, in the user's data folder for an installed one): the
// settings file, the history log, the pledge, and the yearly anniversary and
// holiday files.

#include "runtime/DateTime.h"
#include "runtime/InstanceGuard.h"
#include "runtime/Profile.h"

#include <QHash>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

// Sections and keys of plzNoSmoking.ini.
namespace Keys {
inline const QString Personal = QStringLiteral("Personal");
inline const QString Date = QStringLiteral("Date");
inline const QString Prog = QStringLiteral("Prog");

inline const QString Debt = QStringLiteral("Debt");
inline const QString CigarPrice = QStringLiteral("Cigar Price");
inline const QString Every = QStringLiteral("Every");
inline const QString CountRetry = QStringLiteral("Count Retry");
inline const QString Grade = QStringLiteral("Grade");
inline const QString Start = QStringLiteral("Start");
inline const QString Restart = QStringLiteral("Restart");
inline const QString Left = QStringLiteral("Left");
inline const QString Top = QStringLiteral("Top");
inline const QString ShowCalendar = QStringLiteral("sc");

constexpr int32_t DefaultCigarPrice = 100;
constexpr int32_t DefaultEvery = 6480;
} // namespace Keys

// The community of the public quit-smoking service.
inline const QString HomePageUrl = QStringLiteral("https://nosmk.khepi.or.kr");
// The name that marks a running instance.
inline const QString InstanceName = QStringLiteral("Tarvell");
// The lock beside the records ("plzNoSmoking.lock"): copies of the program
// from different sessions have different per-user marks but share it.
inline const QString RecordsLockName = QStringLiteral("plzNoSmoking");

class TvxPrjInfo {
public:
    // The records folder of the running program, decided here once for the
    // whole process (see RecordsFolder). When none could be made,
    // RecordsFolderError says why and start-up ends.
    TvxPrjInfo();
    // An explicit program folder (tests); lockFolder overrides where the
    // instance mark lives (empty: the per-user runtime folder).
    explicit TvxPrjInfo(const QString& programFolder, const QString& lockFolder = QString());
    ~TvxPrjInfo();

    QString ProgramFolder;       // the records folder; ends with a separator
    QString InstalledDataFolder; // shipped holiday files; ends with a separator, may not exist
    QString RecordsFolderError;  // empty when ProgramFolder is usable
    QString RecordsFolderNotice; // for the user once: the records were copied here
    std::unique_ptr<InstanceGuard> InstanceMutex;

    QString IniFileName() const;
    QString LogFileName() const;
    QString PledgeFileName() const;
    IniProfile Ini() const { return IniProfile(IniFileName()); }

    // True when this is the only running instance. Otherwise shows the
    // warning and answers false; a mark that is not a file (a folder in its
    // place) cannot be used, and the warning names it. If the mark cannot be
    // made at all, start-up goes on as if this were the only instance.
    // Besides the per-user mark it holds a lock in the program folder, so
    // that no two copies ever write the same records, whichever session
    // started them; once that lock is held, a relapse that a kill
    // interrupted is completed and the temporary files that killed saves and
    // start-ups left behind are removed.
    bool CheckSingleInstance();
    // After CheckSingleInstance said yes: a second copy's request to see
    // this one reaches `handler` in the event loop.
    void OnActivationRequest(std::function<void()> handler);

    // Typed reads and writes of the settings keys, each opening and closing
    // the file, by the file's value rules and each key's own default. A
    // failed write throws EFileError ("Unable to write to ...").
    int32_t ReadDebt() const;
    int32_t ReadCigarPrice() const;
    int32_t ReadRetryCount() const;
    void WriteRetryCount(int32_t count);
    // Seconds of the 18-hour smoking day per cigarette.
    int32_t ReadEvery() const;
    // The three figures of the cost calculator, written in that order.
    void WriteCostRecord(int32_t debt, int32_t every, int32_t cigarPrice);
    // The rank last shown, as stored (not clamped: a hand edit may say anything).
    int32_t ReadGrade() const;
    void WriteGrade(int32_t grade);
    // The quit moment; `fallback` when the key is missing or does not convert.
    TDateTime ReadStart(TDateTime fallback) const;
    // Whether a quit moment is listed at all, whatever its value.
    bool HasStart() const;
    void WriteStart(TDateTime moment);
    // The moment of the last relapse. It counts as there whenever the key is
    // listed, whatever its value (an unreadable one reads as `fallback`).
    bool HasRestart() const;
    TDateTime ReadRestart(TDateTime fallback) const;
    // Whether the month calendar is shown.
    bool ReadShowCalendar() const;
    void WriteShowCalendar(bool shown);
    // The main window's top-left corner; each coordinate missing or
    // unreadable takes the fallback's.
    QPoint ReadWindowPos(const QPoint& fallback) const;
    void WriteWindowPos(const QPoint& pos);

    // Records a relapse: key Restart, one log line, the failure count + 1,
    // all with the same moment, whole or not at all. Both files are written
    // out and synced beside the originals first; a failure up to then
    // changes nothing. Then they go in place as one change (the settings
    // file first): a kill part-way leaves it for the next start to complete
    // (CheckSingleInstance), and should a rename fail, the settings file is
    // put back.
    void Restart();
    // Appends one line to the history log. The bytes already in the log stay
    // exactly as they are, whatever their encoding; only a missing final line
    // end is added before the new line.
    void AppendLog(const QString& line);
    // The log's bytes with the line appended, as AppendLog would save them.
    QByteArray LogWith(const QString& line) const;

    QString ReadPledge() const;
    void WritePledge(const QString& text);

    void OpenHomePage() const;

    static QString WarningAlreadyRunning();
    static QString WarningUnusableLock(const QString& path);

private:
    QString m_lockFolder;
    std::unique_ptr<InstanceGuard> m_recordsLock;
};

// A day's anniversaries that could not be read back whole, refused unwritten.
struct EDayTooLong {
    qsizetype Bytes = 0; // what the entries would take in the file
    int HangulBytes = 2; // what one Korean letter takes there: 3 in a UTF-8 file
};

// What one day of the calendar shows.
struct TvxDayEntries {
    QString Holiday;           // empty: none
    QStringList Anniversaries; // one line each
    bool Stored = false;       // a value of blanks holds no entry but takes the lunar date's place
    QString Lunar;             // the lunar label
};

// The shown month as one reading of its yearly files gives it: the
// holidays, anniversaries and lunar labels of each day. The painter, the
// hint and the screen-reader description all take their day from it, so
// that none of them has to move the cursor's Day to learn about another
// day. It is read anew at each paint and each hint request, so that a hand
// edit shows at the next one, but once for all the cells of a paint: a big
// yearly file read once a cell would freeze the window.
class TvxMonthEntries {
public:
    TvxMonthEntries() = default;
    TvxMonthEntries(uint16_t year, uint16_t month, const QList<IniProfile::Entry>& holidays,
                    const QList<IniProfile::Entry>& anniversaries);
    uint16_t Year() const { return m_year; }
    uint16_t Month() const { return m_month; }
    TvxDayEntries Of(uint16_t day) const;
    QString Holiday(uint16_t day) const;
    QStringList Anniversaries(uint16_t day, bool* stored = nullptr) const;

private:
    uint16_t m_year = 0;
    uint16_t m_month = 0;
    QHash<QString, QString> m_holidays;
    QHash<QString, QString> m_anniversaries;
};

// The calendar's cursor: the year and month shown, the day the user picked
// (the editor's day), the names of that year's files, and the lunar label
// of that day.
class TvxAnniversary {
public:
    // Holiday files are looked up in programFolder first, then in
    // installedDataFolder (when given): a user's own file of a year wins.
    explicit TvxAnniversary(const QString& programFolder,
                            const QString& installedDataFolder = QString());

    uint16_t Year = 0;
    uint16_t Month = 0;
    uint16_t Day = 0;

    QString AnniversaryFileName() const;
    // The holiday file of Year that is read: the one in the program folder
    // when it exists, else the shipped one when that exists, else the name in
    // the program folder (which then reads as no holidays).
    QString HolidayFileName() const;
    void PrevYear();
    void NextYear();
    void PrevMonth();
    void NextMonth();
    QString LunarText() const;
    static QString LunarTextOf(uint16_t year, uint16_t month, uint16_t day);
    QString MonthKey() const;
    QString DayKey() const;

    // Entries of (Month, day) in the anniversary file; empty when none.
    // `stored`, when asked, tells whether the day has a value at all: a
    // value of blanks holds no entry but still takes the lunar date's place.
    // A value longer than MaxDayBytes (an older copy's, or a hand edit) is
    // read whole: what the editor opens is what the day holds, and a save
    // that removes nothing loses nothing.
    QStringList ReadAnniversaries(uint16_t day, bool* stored = nullptr) const;
    // The shown month from its files, each read once. A hint lists
    // anniversaries only and reads no holiday file.
    enum class MonthFiles { Both, AnniversariesOnly };
    TvxMonthEntries ReadMonth(MonthFiles files = MonthFiles::Both) const;
    // The most a day's value may take in the file: the settings reader gives
    // back no more, so a longer value would lose its tail there.
    static constexpr qsizetype MaxDayBytes = IniProfile::MaxValueBytes;
    // Stores the entries as one quoted comma text under (Month, Day).
    // Entries that would take more than MaxDayBytes in the file, measured in
    // the encoding the file is stored in, are refused with EDayTooLong and
    // nothing is written; a failed write throws EFileError.
    void WriteAnniversaries(const QStringList& entries);
    // Removes the key of (Month, Day).
    void DeleteAnniversaries();
    // The holiday name of (Month, day); empty when none.
    QString ReadHoliday(uint16_t day) const;

private:
    QString m_folder;
    QString m_installedFolder;
};

// The list form of an anniversary value: entries separated by commas, an
// entry with a blank, control character, comma or double quote enclosed in
// double quotes with inner quotes doubled.
QString CommaTextOf(const QStringList& entries);
// Reads comma text; blanks outside quotes also separate entries, and a comma
// at the very end adds a final empty entry.
QStringList SplitCommaText(const QString& text);
