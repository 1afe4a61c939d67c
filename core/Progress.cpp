#include "core/Progress.h"

#include "core/Constants.h"
#include "core/Funcs.h"
#include "core/ProjectInfo.h"

#include <algorithm>
#include <utility>

TvxProgress::TvxProgress(TvxPrjInfo& prj, QObject* parent) : QObject(parent), m_prj(prj) {}

// -------------------------------------------------------------- the record

void TvxProgress::Load() {
    m_debt = m_prj.ReadDebt();
    m_retries = m_prj.ReadRetryCount();
    FSecsPerCigarette = uint32_t(m_prj.ReadEvery());
    // Every = 0 turns the savings off and leaves the per-day figure as it was.
    if (FSecsPerCigarette != 0)
        FCigarettesPerDay = 64800u / FSecsPerCigarette;
    m_start = m_prj.ReadStart(Clock::Now());
    // A relapse never changes Start: the clock counts from the last relapse
    // whenever the record holds one.
    m_restarted = m_prj.HasRestart();
    FClockBase = m_restarted ? m_prj.ReadRestart(Clock::Now()) : m_start;
    m_gradeMayFall = !m_loadedBase || *m_loadedBase != FClockBase;
    m_loadedBase = FClockBase;
    // A hand-edited rank outside the table shows the nearest one until the
    // first refresh replaces it by the computed one.
    FGrade = std::clamp(m_prj.ReadGrade(), 0, GradeCount - 1);
    // The savings rows start again from nothing; the count last shown is
    // kept until the final refresh below, which rewrites them in any case.
    const uint32_t shown = m_savings.Cigarettes;
    m_savings = TvxSavings{};
    m_savings.Cigarettes = shown;
    m_savings.CountText = QStringLiteral("0");
    m_savings.MoneyText = QStringLiteral("0");
    m_savings.MarginText = FormatThousands(uint32_t(m_debt));
    emit Loaded();

    SetElapsed(SpanNow());
    FMilestone = -1;
    m_savings.Cigarettes = 0;
    Refresh();
}

// ---------------------------------------------------------------- the clock

uint32_t TvxProgress::SpanNow() const {
    // A clock base in the future (a start date set ahead, a clock turned
    // back) counts as no abstinence yet rather than as four billion seconds.
    return AbstinenceCount(FClockBase, Clock::Now());
}

void TvxProgress::Tick() {
    if (FElapsed % 5 != 0)
        SetElapsed(FElapsed + 1);
    else
        SetElapsed(SpanNow());
}

void TvxProgress::Sync() {
    SetElapsed(SpanNow());
}

void TvxProgress::SetElapsed(uint32_t seconds) {
    FElapsed = seconds;
    emit ElapsedChanged(seconds);
    Refresh();
}

void TvxProgress::Refresh() {
    const uint32_t count = FElapsed;
    ChangeGrade(GradeToShow(count));
    const int milestone = EffectIndexOf(count);
    if (milestone != FMilestone)
        ChangeMilestone(milestone);
    if (FSecsPerCigarette != 0)
        UpdateSavings();
}

QString TvxProgress::SpanText(uint32_t count) {
    const uint32_t years = count / 31536000u;
    const uint32_t r = count % 31536000u;
    const uint32_t months = r / 2592000u;
    const uint32_t days = (r % 2592000u) / 86400u;
    const uint32_t s = r % 86400u;
    QString text;
    if (years > 0)
        text += QString::number(years) + QStringLiteral("년 ");
    if (months > 0)
        text += QString::number(months) + QStringLiteral("개월 ");
    if (days > 0)
        text += QString::number(days) + QStringLiteral("일 ");
    text += QStringLiteral("%1시간 %2분 %3초").arg(s / 3600).arg(s % 3600 / 60).arg(s % 60);
    return text;
}

// ----------------------------------------------------------------- the rank

int TvxProgress::GradeToShow(uint32_t count) {
    // The rank falls only at a load that moved the clock base; a clock turned
    // back must neither take the rank away nor, once it runs forward again,
    // announce and log the same promotion a second time.
    const int computed = GradeOf(count);
    const bool mayFall = std::exchange(m_gradeMayFall, false);
    return computed < FGrade && !mayFall ? FGrade : computed;
}

QString TvxProgress::PromotionText(int grade) {
    return GradeNames[size_t(grade)] + QStringLiteral(" (으)로 승급....!!");
}

void TvxProgress::ChangeGrade(int grade) {
    if (grade == FGrade)
        return;
    const bool promotion = FGrade < grade;
    FGradeBlink = promotion;
    FGrade = grade;
    emit GradeChanged(grade, promotion);
    // A jump over several ranks logs only the one reached; a fall is silent.
    if (promotion)
        m_prj.AppendLog(QStringLiteral("    승 급 :") + FormatDateTime(Clock::Now()) +
                        QStringLiteral("   ") + GradeNames[size_t(grade)] +
                        QStringLiteral("...!!"));
    m_prj.WriteGrade(grade);
}

uint32_t TvxProgress::NextGradeSeconds() const {
    // The top rank has an end too: the last entry of the table.
    return GradeSeconds[size_t(FGrade) + 1];
}

TDateTime TvxProgress::NextPromotion() const {
    return ShiftBySeconds(int32_t(NextGradeSeconds()), FClockBase);
}

// ----------------------------------------------------------- the milestones

void TvxProgress::ChangeMilestone(int milestone) {
    FMilestoneSlot = milestone % 3;
    FMilestone = milestone;
    const bool forward = milestone > m_shownMilestone && m_shownMilestone >= 0;
    m_shownMilestone = milestone;
    emit MilestoneChanged(milestone);
    if (forward)
        emit MilestoneReached(milestone);
}

// -------------------------------------------------------------- the savings

QString TvxProgress::CigarettesText(uint32_t cigarettes) {
    const uint32_t cartons = cigarettes / 200u;
    const uint32_t packs = cigarettes % 200u / 20u;
    const uint32_t singles = cigarettes % 20u;
    QString text;
    if (cartons > 0)
        text += FormatThousands(cartons) + QStringLiteral("보루 ");
    if (packs > 0)
        text += QString::number(packs) + QStringLiteral("갑 ");
    return text + QString::number(singles);
}

void TvxProgress::UpdateSavings() {
    const uint32_t count = FElapsed;
    // Whole days count the full day's cigarettes. The running day counts one
    // per interval of its waking 18 hours, but never more than a whole day,
    // so the total never drops at midnight of the count and never goes back.
    const uint32_t today = std::min(FCigarettesPerDay, (count % 86400u) / FSecsPerCigarette);
    const uint32_t cigarettes = (count / 86400u) * FCigarettesPerDay + today;
    if (cigarettes == m_savings.Cigarettes)
        return;
    // Price and spent amount are read only when the count changes, so a
    // change made by hand shows with the next cigarette.
    m_savings.Cigarettes = cigarettes;
    m_savings.Money = uint32_t(m_prj.ReadCigarPrice()) * cigarettes;
    m_savings.Spent = m_prj.ReadDebt();
    m_savings.CountText = CigarettesText(cigarettes);
    m_savings.MoneyText = FormatThousands(m_savings.Money);
    if (m_savings.Spent != 0)
        m_savings.MarginText =
            FormatThousands(int32_t(uint32_t(m_savings.Spent) - m_savings.Money));
    emit SavingsChanged(m_savings);
}

// ------------------------------------------------------------ resting ticks

uint32_t TvxProgress::SecondsToNextChange() const {
    // A minute at most, so that a wake from sleep or a clock change is
    // caught soon after.
    uint32_t best = 60;
    const int64_t span = ElapsedSeconds64(FClockBase, Clock::Now());
    if (span < 0)
        return uint32_t(std::clamp<int64_t>(-span, 1, best));
    const uint32_t e = FElapsed;
    if (FGrade < GradeCount - 1) {
        const uint32_t target = GradeSeconds[size_t(FGrade) + 1] + 1;
        if (target > e)
            best = std::min(best, target - e);
    }
    if (e < EffectSeconds[EffectCount - 1])
        best = std::min(best, EffectSeconds[size_t(EffectIndexOf(e))] - e);
    if (FSecsPerCigarette != 0) {
        const uint32_t inDay = e % 86400u;
        const uint32_t today = inDay / FSecsPerCigarette;
        const uint32_t next = today < FCigarettesPerDay
                                  ? std::min((today + 1) * FSecsPerCigarette, 86400u) - inDay
                                  : 86400u - inDay + FSecsPerCigarette;
        best = std::min(best, next);
    }
    return std::max<uint32_t>(best, 1);
}
