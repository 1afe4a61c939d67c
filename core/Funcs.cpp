#include "core/Funcs.h"

#include "core/Constants.h"

int GradeOf(uint32_t elapsed) {
    for (int r = GradeCount - 1; r >= 0; --r)
        if (GradeSeconds[r] < elapsed)
            return r;
    return 0;
}

int EffectIndexOf(uint32_t elapsed) {
    for (int e = 0; e < EffectCount; ++e)
        if (elapsed < EffectSeconds[e])
            return e;
    return EffectCount - 1;
}

int32_t ElapsedSeconds(TDateTime from, TDateTime to) {
    const TTimeStamp a = DateTimeToTimeStamp(from);
    const TTimeStamp b = DateTimeToTimeStamp(to);
    // Unsigned arithmetic gives the 32-bit wrap without undefined behaviour.
    const uint32_t secs = uint32_t(b.Time / 1000) - uint32_t(a.Time / 1000);
    const uint32_t days = uint32_t(b.Date) - uint32_t(a.Date);
    return int32_t(secs + days * 86400u);
}

int64_t ElapsedSeconds64(TDateTime from, TDateTime to) {
    const TTimeStamp a = DateTimeToTimeStamp(from);
    const TTimeStamp b = DateTimeToTimeStamp(to);
    return (b.Time / 1000 - a.Time / 1000) + (b.Date - a.Date) * SecsPerDay;
}

uint32_t AbstinenceCount(TDateTime base, TDateTime now) {
    const int64_t span = ElapsedSeconds64(base, now);
    if (span <= 0)
        return 0;
    return span >= int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(span);
}

TDateTime ShiftBySeconds(int32_t seconds, TDateTime moment) {
    TTimeStamp ts = DateTimeToTimeStamp(moment);
    const int32_t q = seconds / 86400; // both truncate toward zero
    const int32_t s = seconds % 86400;
    ts.Time += qint64(s) * 1000;
    if (ts.Time < 0) {
        ts.Time += MSecsPerDay;
        ts.Date -= 1;
    }
    ts.Date += q;
    return TimeStampToDateTime(ts);
}
