#pragma once
// The abstinence clock and everything counted from it: the elapsed seconds,
// the rank with its promotions, the health milestone in progress, and the
// cigarettes and money not spent. It reads and writes the quit record
// through the settings object and tells the windows what changed; they only
// show what it says.

#include "runtime/DateTime.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

class TvxPrjInfo;

// The cigarettes not smoked and what they would have cost, as shown.
struct TvxSavings {
    uint32_t Cigarettes = 0;
    uint32_t Money = 0;
    int32_t Spent = 0; // the money spent on smoking before quitting
    QString CountText; // cartons, packs and single cigarettes
    QString MoneyText; // the money, with thousands separators
    // Spent minus money. Without a spent amount there is no balance to draw
    // against: the row keeps the debt as the last load showed it.
    QString MarginText;
};

class TvxProgress : public QObject {
    Q_OBJECT
public:
    explicit TvxProgress(TvxPrjInfo& prj, QObject* parent = nullptr);

    // Reads the quit record and counts to now. The milestone and the savings
    // are announced again even when they equal what was shown before, so a
    // reload after new prices or a relapse rewrites every display.
    void Load();
    // One second of the clock. The count runs freely between checks; every
    // count that is a multiple of five is replaced by the real span, so a
    // late tick, a sleep or a clock change is corrected within five ticks.
    void Tick();
    // The count straight from the clock (the sparse ticks of the tray).
    void Sync();
    void SetElapsed(uint32_t seconds);

    // The record as last loaded.
    TDateTime Start() const { return m_start; }
    // The moment the clock counts from: the last relapse when there is one,
    // else the quit moment.
    TDateTime ClockBase() const { return FClockBase; }
    bool Restarted() const { return m_restarted; }
    int32_t RetryCount() const { return m_retries; }
    int32_t Debt() const { return m_debt; }
    uint32_t SecsPerCigarette() const { return FSecsPerCigarette; }
    uint32_t CigarettesPerDay() const { return FCigarettesPerDay; }

    uint32_t Elapsed() const { return FElapsed; }
    int Grade() const { return FGrade; }
    // Set by a promotion, cleared by a fall; the rank's title blinks meanwhile.
    bool GradeBlink() const { return FGradeBlink; }
    // The count at which the next rank is reached, and that moment.
    uint32_t NextGradeSeconds() const;
    TDateTime NextPromotion() const;
    // The milestone in progress (-1 before the first count) and its row of three.
    int Milestone() const { return FMilestone; }
    int MilestoneSlot() const { return FMilestoneSlot; }
    const TvxSavings& Savings() const { return m_savings; }

    // Nothing the user can see or the log records changes before the next
    // rank, milestone or cigarette: the seconds until then, a minute at most.
    uint32_t SecondsToNextChange() const;

    // "1년 2개월 3일 0시간 5분 9초": a year of 365 days, a month of 30.
    static QString SpanText(uint32_t seconds);
    // "22보루 5갑 13": 200 to a carton, 20 to a pack.
    static QString CigarettesText(uint32_t cigarettes);
    // What the window and the desktop say of a rise to `grade`.
    static QString PromotionText(int grade);

signals:
    // The record was read: start, clock base, failure count, spent amount
    // and the stored rank. The savings start again from nothing.
    void Loaded();
    void ElapsedChanged(uint32_t seconds);
    // A new rank; `promotion` when it is higher than the one before.
    void GradeChanged(int grade, bool promotion);
    void MilestoneChanged(int milestone);
    // The running count passed into `milestone`. A load announces the
    // milestone again and a relapse brings it back to the first: only a step
    // forward from one already shown is news.
    void MilestoneReached(int milestone);
    void SavingsChanged(const TvxSavings& savings);

private:
    uint32_t SpanNow() const;
    void Refresh();
    int GradeToShow(uint32_t count);
    void ChangeGrade(int grade);
    void ChangeMilestone(int milestone);
    void UpdateSavings();

    TvxPrjInfo& m_prj;
    TDateTime m_start = 0;
    TDateTime FClockBase = 0;
    bool m_restarted = false;
    int32_t m_retries = 0;
    int32_t m_debt = 0;
    uint32_t FSecsPerCigarette = 0;
    uint32_t FCigarettesPerDay = 0;

    uint32_t FElapsed = 0;
    int FGrade = 0;
    bool FGradeBlink = false;
    int FMilestone = -1;
    int FMilestoneSlot = 0;
    int m_shownMilestone = -1; // the last one announced, across loads
    TvxSavings m_savings;
    std::optional<TDateTime> m_loadedBase; // the clock base of the last load
    bool m_gradeMayFall = false;           // only for the refresh of a load that moved it
};
