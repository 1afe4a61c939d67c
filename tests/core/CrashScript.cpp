#include "tests/core/CrashScript.h"

#include "core/Constants.h"

#include <QStringList>

namespace CrashScript {

namespace {
quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// A pledge of a few lines to some thousands of characters, Korean and Latin.
QString pledgeOf(quint32 h) {
    QStringList lines;
    const int count = int(h % 120);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1. 나는 오늘도 담배를 피우지 않는다 (no smoke today)").arg(i + 1);
    return lines.join(u'\n');
}
} // namespace

void Apply(TvxPrjInfo& prj, TvxAnniversary& cursor, int seed, int index) {
    const quint32 h = mix(quint32(seed) * 7919u + quint32(index) * 104729u + 1u);
    const TDateTime moment =
        EncodeDateTime(2026, 1, 1) + (double(seed) * 1000.0 + double(index)) / 86400.0;
    Clock::SetNow(moment);
    IniProfile ini = prj.Ini();
    cursor.Year = uint16_t(2026 + h % 2);
    cursor.Month = uint16_t(1 + (h >> 4) % 12);
    cursor.Day = uint16_t(1 + (h >> 8) % 28);
    switch (h % 9) {
    case 0:
        ini.WriteInteger(Keys::Personal, Keys::Debt, int32_t(h >> 3));
        break;
    case 1:
        ini.WriteDateTime(Keys::Date, Keys::Start, moment - 3.5);
        break;
    case 2:
        prj.Restart();
        break;
    case 3:
        prj.AppendLog(QStringLiteral("    승 급 :") + FormatDateTime(moment) +
                      QStringLiteral("   ") + GradeNames[(h >> 5) % GradeCount] +
                      QStringLiteral("...!!"));
        break;
    case 4:
        prj.WritePledge(pledgeOf(h >> 7));
        break;
    case 5:
        cursor.WriteAnniversaries(
            {QStringLiteral("생일"), QStringLiteral("기념일 %1").arg(h % 1000), QString()});
        break;
    case 6:
        cursor.DeleteAnniversaries();
        break;
    case 7:
        ini.WriteInteger(Keys::Personal, Keys::Grade, int32_t((h >> 6) % GradeCount));
        break;
    default:
        // One write per step: a kill between two would leave a state that
        // is neither before nor after one write.
        if ((h >> 9) & 1)
            ini.WriteBool(Keys::Prog, Keys::ShowCalendar, (h >> 10) & 1);
        else
            ini.WriteInteger(Keys::Prog, Keys::Left, int32_t(h % 1000));
        break;
    }
}

TDateTime RelapseMoment() {
    return EncodeDateTime(2026, 12, 7, 12, 43, 14);
}

} // namespace CrashScript
