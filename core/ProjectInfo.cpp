#include "core/ProjectInfo.h"

#include "core/RecordsFolder.h"
#include "core/SolarAndLunar.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// ---------------------------------------------------------------- TvxPrjInfo

TvxPrjInfo::TvxPrjInfo() {
    const RecordsFolder::Choice records = RecordsFolder::ForThisProgram();
    ProgramFolder = records.folder;
    InstalledDataFolder = records.installedDataFolder;
    RecordsFolderError = records.error;
    RecordsFolderNotice = records.notice;
}

TvxPrjInfo::TvxPrjInfo(const QString& programFolder, const QString& lockFolder)
    : ProgramFolder(RecordsFolder::WithSeparator(programFolder)), m_lockFolder(lockFolder) {}

TvxPrjInfo::~TvxPrjInfo() = default;

QString TvxPrjInfo::IniFileName() const {
    return ProgramFolder + QStringLiteral("plzNoSmoking.ini");
}
QString TvxPrjInfo::LogFileName() const {
    return ProgramFolder + QStringLiteral("plzNoSmoking.log");
}
QString TvxPrjInfo::PledgeFileName() const {
    return ProgramFolder + QStringLiteral("ToMe.txt");
}

QString TvxPrjInfo::WarningAlreadyRunning() {
    return QStringLiteral(
        "Tarvell는 이미 실행 중입니다.\r\n\r\n화면 아래의 Tray 아이콘 모음에서 확인하세요.");
}

QString TvxPrjInfo::WarningUnusableLock(const QString& path) {
    return QStringLiteral(
               "Tarvell가 실행 중인지 표시하는 파일을 쓸 수 없어 시작할 수 없습니다.\r\n\r\n"
               "%1\r\n\r\n"
               "이 자리에 있는 폴더나 특수 파일을 지우거나 옮긴 뒤 다시 실행하세요.")
        .arg(QDir::toNativeSeparators(path));
}

bool TvxPrjInfo::CheckSingleInstance() {
    // The guards stay with the object even when another instance holds a
    // mark, exactly as long as the object lives.
    InstanceMutex = std::make_unique<InstanceGuard>(InstanceName, m_lockFolder);
    InstanceGuard::Result result = InstanceMutex->acquire();
    if (result == InstanceGuard::Result::Acquired || result == InstanceGuard::Result::Failed) {
        m_recordsLock = std::make_unique<InstanceGuard>(RecordsLockName, ProgramFolder);
        result = m_recordsLock->acquire();
    }
    switch (result) {
    case InstanceGuard::Result::Acquired:
        // No other copy can be saving here now: a relapse that a kill
        // interrupted is completed, then what killed saves left is removed.
        if (TextFile::finishInterruptedChange(ProgramFolder))
            TextFile::removeLeftovers(ProgramFolder);
        RecordsFolder::RemoveDeadProbes(ProgramFolder);
        return true;
    case InstanceGuard::Result::Failed:
        // A folder that cannot take the lock cannot take the records either;
        // the first write will say so.
        return true;
    case InstanceGuard::Result::Unusable: {
        const InstanceGuard& refused = m_recordsLock ? *m_recordsLock : *InstanceMutex;
        Desktop::ShowWarning(QStringLiteral("Tarvell"), WarningUnusableLock(refused.lockPath()));
        return false;
    }
    case InstanceGuard::Result::AlreadyExists:
        break;
    }
    Desktop::ShowWarning(QStringLiteral("Tarvell"), WarningAlreadyRunning());
    // Once the message is answered the running copy comes to the front: the
    // way back to a window resting in the tray for whoever cannot reach it.
    // A copy of another session that holds the records is not this user's
    // to call.
    if (!m_recordsLock)
        InstanceMutex->requestActivation();
    return false;
}

void TvxPrjInfo::OnActivationRequest(std::function<void()> handler) {
    if (InstanceMutex)
        InstanceMutex->watchActivation(std::move(handler));
}

int32_t TvxPrjInfo::ReadDebt() const {
    return Ini().ReadInteger(Keys::Personal, Keys::Debt, 0);
}

int32_t TvxPrjInfo::ReadCigarPrice() const {
    return Ini().ReadInteger(Keys::Personal, Keys::CigarPrice, Keys::DefaultCigarPrice);
}

int32_t TvxPrjInfo::ReadRetryCount() const {
    return Ini().ReadInteger(Keys::Personal, Keys::CountRetry, 0);
}

void TvxPrjInfo::WriteRetryCount(int32_t count) {
    Ini().WriteInteger(Keys::Personal, Keys::CountRetry, count);
}

int32_t TvxPrjInfo::ReadEvery() const {
    return Ini().ReadInteger(Keys::Personal, Keys::Every, Keys::DefaultEvery);
}

void TvxPrjInfo::WriteCostRecord(int32_t debt, int32_t every, int32_t cigarPrice) {
    IniProfile ini = Ini();
    ini.WriteInteger(Keys::Personal, Keys::Debt, debt);
    ini.WriteInteger(Keys::Personal, Keys::Every, every);
    ini.WriteInteger(Keys::Personal, Keys::CigarPrice, cigarPrice);
}

int32_t TvxPrjInfo::ReadGrade() const {
    return Ini().ReadInteger(Keys::Personal, Keys::Grade, 0);
}

void TvxPrjInfo::WriteGrade(int32_t grade) {
    Ini().WriteInteger(Keys::Personal, Keys::Grade, grade);
}

TDateTime TvxPrjInfo::ReadStart(TDateTime fallback) const {
    return Ini().ReadDateTime(Keys::Date, Keys::Start, fallback);
}

void TvxPrjInfo::WriteStart(TDateTime moment) {
    Ini().WriteDateTime(Keys::Date, Keys::Start, moment);
}

bool TvxPrjInfo::HasStart() const {
    return Ini().ValueExists(Keys::Date, Keys::Start);
}

bool TvxPrjInfo::HasRestart() const {
    return Ini().ValueExists(Keys::Date, Keys::Restart);
}

TDateTime TvxPrjInfo::ReadRestart(TDateTime fallback) const {
    return Ini().ReadDateTime(Keys::Date, Keys::Restart, fallback);
}

bool TvxPrjInfo::ReadShowCalendar() const {
    return Ini().ReadBool(Keys::Prog, Keys::ShowCalendar, true);
}

void TvxPrjInfo::WriteShowCalendar(bool shown) {
    Ini().WriteBool(Keys::Prog, Keys::ShowCalendar, shown);
}

QPoint TvxPrjInfo::ReadWindowPos(const QPoint& fallback) const {
    const IniProfile ini = Ini();
    return QPoint(ini.ReadInteger(Keys::Prog, Keys::Left, fallback.x()),
                  ini.ReadInteger(Keys::Prog, Keys::Top, fallback.y()));
}

void TvxPrjInfo::WriteWindowPos(const QPoint& pos) {
    IniProfile ini = Ini();
    ini.WriteInteger(Keys::Prog, Keys::Left, pos.x());
    ini.WriteInteger(Keys::Prog, Keys::Top, pos.y());
}

void TvxPrjInfo::Restart() {
    using TextFile::ErrorKind;
    const TDateTime now = Clock::Now();
    const int32_t retries = ReadRetryCount();
    const int32_t count = retries < INT32_MAX ? retries + 1 : retries;
    const QByteArray settingsBefore =
        TextFile::readForUpdate(IniFileName(), ErrorKind::UnableToWrite);
    const bool settingsExisted = QFileInfo::exists(IniFileName());

    TextFile::PendingSave log(LogFileName(),
                              LogWith(QStringLiteral("다시 시작 :") + FormatDateTime(now)),
                              ErrorKind::CannotCreate);
    TextFile::PendingSave settings(
        IniFileName(),
        IniProfile::WithValues(settingsBefore,
                               {{Keys::Date, Keys::Restart, DateTimeToStr(now)},
                                {Keys::Personal, Keys::CountRetry, QString::number(count)}},
                               IniFileName()),
        ErrorKind::UnableToWrite);

    // The settings file first: it is what the clock runs on. Both go in as
    // one change, which the next start completes if a kill interrupts it.
    try {
        TextFile::PendingSave::commitTogether(ProgramFolder, {&settings, &log});
    } catch (const EFileError&) {
        if (settings.isCommitted()) {
            try {
                if (settingsExisted)
                    TextFile::saveBytes(IniFileName(), settingsBefore, ErrorKind::UnableToWrite);
                else
                    QFile::remove(IniFileName());
            } catch (const EFileError&) {
                // The log's error below is the one the user can act on.
            }
        }
        throw;
    }
}

QByteArray TvxPrjInfo::LogWith(const QString& line) const {
    QByteArray bytes = TextFile::readForUpdate(LogFileName(), TextFile::ErrorKind::CannotCreate);
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    return bytes + TextFile::checkedEncode(LogFileName(), line) + "\r\n";
}

void TvxPrjInfo::AppendLog(const QString& line) {
    TextFile::saveBytes(LogFileName(), LogWith(line), TextFile::ErrorKind::CannotCreate);
}

QString TvxPrjInfo::ReadPledge() const {
    QString text = TextFile::readText(PledgeFileName());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void TvxPrjInfo::WritePledge(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    TextFile::writeText(PledgeFileName(), t, TextFile::ErrorKind::CannotCreate);
}

void TvxPrjInfo::OpenHomePage() const {
    Desktop::OpenUrl(HomePageUrl);
}

// ------------------------------------------------------------ TvxAnniversary

TvxAnniversary::TvxAnniversary(const QString& programFolder, const QString& installedDataFolder)
    : m_folder(RecordsFolder::WithSeparator(programFolder)),
      m_installedFolder(installedDataFolder.isEmpty()
                            ? QString()
                            : RecordsFolder::WithSeparator(installedDataFolder)) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(Clock::Now(), y, mo, d, h, mi, s, ms);
    Year = uint16_t(y);
    Month = uint16_t(mo);
    Day = 0;
}

QString TvxAnniversary::AnniversaryFileName() const {
    return m_folder + QStringLiteral("Anniversary - %1.dat").arg(Year);
}

QString TvxAnniversary::HolidayFileName() const {
    const QString name = QStringLiteral("Holiday - %1.dat").arg(Year);
    const QString own = m_folder + name;
    if (m_installedFolder.isEmpty() || QFileInfo::exists(own))
        return own;
    const QString shipped = m_installedFolder + name;
    return QFileInfo::exists(shipped) ? shipped : own;
}

void TvxAnniversary::PrevYear() {
    --Year;
}
void TvxAnniversary::NextYear() {
    ++Year;
}

void TvxAnniversary::PrevMonth() {
    if (Month <= 1) {
        Month = 12;
        --Year;
    } else {
        --Month;
    }
}

void TvxAnniversary::NextMonth() {
    ++Month;
    if (Month > 12) {
        Month = 1;
        ++Year;
    }
}

QString TvxAnniversary::LunarText() const {
    return LunarTextOf(Year, Month, Day);
}

QString TvxAnniversary::LunarTextOf(uint16_t year, uint16_t month, uint16_t day) {
    const TLunarDate l = SolarToLunar(year, month, day);
    // Outside the table the lunar fields mean nothing; the day's name in the
    // sixty-day cycle is right for every date, so it alone is shown.
    if (!LunarInRange(year, month, day))
        return l.DayName;
    return QStringLiteral("%1.%2 %3").arg(l.Month).arg(l.Day).arg(l.DayName);
}

QString TvxAnniversary::MonthKey() const {
    return QString::number(Month);
}
QString TvxAnniversary::DayKey() const {
    return QString::number(Day);
}

QStringList TvxAnniversary::ReadAnniversaries(uint16_t day, bool* stored) const {
    const QString value =
        IniProfile(AnniversaryFileName())
            .ReadString(MonthKey(), QString::number(day), QString(), IniProfile::Length::Whole);
    if (stored)
        *stored = !value.isEmpty();
    return SplitCommaText(value);
}

TvxMonthEntries TvxAnniversary::ReadMonth(MonthFiles files) const {
    return TvxMonthEntries(
        Year, Month,
        files == MonthFiles::Both ? IniProfile(HolidayFileName()).ReadSectionValues(MonthKey())
                                  : QList<IniProfile::Entry>(),
        IniProfile(AnniversaryFileName()).ReadSectionValues(MonthKey(), IniProfile::Length::Whole));
}

void TvxAnniversary::WriteAnniversaries(const QStringList& entries) {
    // Measured in the file as it will be saved: a file that has to stay
    // UTF-8 (it holds characters CP949 lacks) takes three bytes for a Korean
    // letter where CP949 takes two.
    const QString fileName = AnniversaryFileName();
    const QByteArray before = TextFile::readForUpdate(fileName, TextFile::ErrorKind::UnableToWrite);
    const QByteArray after = IniProfile::WithValues(
        before,
        {{MonthKey(), DayKey(),
          QStringLiteral("\"") + CommaTextOf(entries) + QStringLiteral("\"")}},
        fileName);
    const qsizetype bytes = IniProfile::ValueBytes(after, MonthKey(), DayKey());
    if (bytes > MaxDayBytes) {
        const bool utf8 = TextFile::detect(after) == TextFile::Encoding::Utf8;
        throw EDayTooLong{bytes, utf8 ? 3 : 2};
    }
    if (after != before)
        TextFile::saveBytes(fileName, after, TextFile::ErrorKind::UnableToWrite);
}

void TvxAnniversary::DeleteAnniversaries() {
    IniProfile(AnniversaryFileName()).DeleteKey(MonthKey(), DayKey());
}

QString TvxAnniversary::ReadHoliday(uint16_t day) const {
    return IniProfile(HolidayFileName()).ReadString(MonthKey(), QString::number(day), QString());
}

// ------------------------------------------------------------ TvxMonthEntries

namespace {
QHash<QString, QString> valuesByKey(const QList<IniProfile::Entry>& entries) {
    QHash<QString, QString> values;
    for (const IniProfile::Entry& e : entries)
        values.insert(e.key, e.value);
    return values;
}
} // namespace

TvxMonthEntries::TvxMonthEntries(uint16_t year, uint16_t month,
                                 const QList<IniProfile::Entry>& holidays,
                                 const QList<IniProfile::Entry>& anniversaries)
    : m_year(year), m_month(month), m_holidays(valuesByKey(holidays)),
      m_anniversaries(valuesByKey(anniversaries)) {}

TvxDayEntries TvxMonthEntries::Of(uint16_t day) const {
    TvxDayEntries entries;
    entries.Holiday = Holiday(day);
    entries.Anniversaries = Anniversaries(day, &entries.Stored);
    entries.Lunar = TvxAnniversary::LunarTextOf(m_year, m_month, day);
    return entries;
}

QString TvxMonthEntries::Holiday(uint16_t day) const {
    return m_holidays.value(QString::number(day));
}

QStringList TvxMonthEntries::Anniversaries(uint16_t day, bool* stored) const {
    const QString value = m_anniversaries.value(QString::number(day));
    if (stored)
        *stored = !value.isEmpty();
    return SplitCommaText(value);
}

// ---------------------------------------------------------------- comma text

namespace {
bool isBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}
} // namespace

QString CommaTextOf(const QStringList& entries) {
    if (entries.size() == 1 && entries.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    for (const QString& e : entries) {
        bool quote = false;
        for (QChar c : e)
            quote = quote || isBlankOrControl(c) || c == u',' || c == u'"';
        if (quote) {
            QString q = e;
            q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            parts << QStringLiteral("\"") + q + QStringLiteral("\"");
        } else {
            parts << e;
        }
    }
    return parts.join(u',');
}

QStringList SplitCommaText(const QString& text) {
    QStringList out;
    // A NUL ends the text, as it always has for this list form.
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype n = nul >= 0 ? nul : text.size();
    qsizetype p = 0;
    auto skipBlanks = [&] {
        while (p < n && isBlankOrControl(text.at(p)))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        QString entry;
        if (text.at(p) == u'"') {
            ++p;
            while (p < n) {
                if (text.at(p) == u'"') {
                    if (p + 1 < n && text.at(p + 1) == u'"') {
                        entry += u'"';
                        p += 2;
                        continue;
                    }
                    ++p; // closing quote
                    break;
                }
                entry += text.at(p++);
            }
        } else {
            const qsizetype start = p;
            while (p < n && !isBlankOrControl(text.at(p)) && text.at(p) != u',')
                ++p;
            entry = text.mid(start, p - start);
        }
        out << entry;
        skipBlanks();
        if (p < n && text.at(p) == u',') {
            if (p + 1 == n)
                out << QString();
            ++p;
            skipBlanks();
        }
    }
    return out;
}
