#pragma once
// The fixed tables of the progress model: 19 ranks with their thresholds and
// the nine health effects. Constant data; nothing reads them from a file.

#include <QString>
#include <array>
#include <cstdint>

constexpr int GradeCount = 19;
constexpr int EffectCount = 9;

// Rank r is held while GradeSeconds[r] < elapsed <= GradeSeconds[r + 1].
// Entry 19 only ends the top rank (50 years of 365 days).
constexpr std::array<uint32_t, GradeCount + 1> GradeSeconds = {
    0u,        86400u,    259200u,   604800u,    864000u,    1209600u,   1555200u,
    1987200u,  2592000u,  3628800u,  4838400u,   6048000u,   7257600u,   8640000u,
    10368000u, 15552000u, 31536000u, 157680000u, 315360000u, 1576800000u};

extern const std::array<QString, GradeCount> GradeNames;
// The human form of each GradeSeconds entry; entry 19 reads "100년".
extern const std::array<QString, GradeCount + 1> GradeLabels;

// Effect e counts as reached once elapsed >= EffectSeconds[e].
constexpr std::array<uint32_t, EffectCount> EffectSeconds = {
    1200u, 28800u, 43200u, 172800u, 259200u, 1296000u, 23328000u, 157680000u, 315360000u};

extern const std::array<QString, EffectCount> EffectTitles;
// Multi-line texts broken by single carriage returns (no line feeds).
extern const std::array<QString, EffectCount> EffectTexts;
