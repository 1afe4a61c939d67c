#pragma once
// Turning elapsed seconds into a rank and a health effect, and the two
// pieces of date-time arithmetic the progress model rests on.

#include "runtime/DateTime.h"

#include <cstdint>

// The highest rank whose threshold the elapsed time strictly exceeds.
int GradeOf(uint32_t elapsed);
// The first health effect not yet reached; 8 once all are reached.
int EffectIndexOf(uint32_t elapsed);
// Whole seconds from `from` to `to`, milliseconds truncated per moment,
// in signed 32-bit arithmetic (it wraps, as the stored count always has).
int32_t ElapsedSeconds(TDateTime from, TDateTime to);
// The same without wrapping, for every span the date-time value can hold.
int64_t ElapsedSeconds64(TDateTime from, TDateTime to);
// The abstinence count the clock shows for a clock base: 0 while the base
// lies in the future, and the largest count (4,294,967,295 seconds, some
// 136 years) for a base further back, never a wrapped one.
uint32_t AbstinenceCount(TDateTime base, TDateTime now);
// The moment plus the given seconds, exactly, for both signs.
TDateTime ShiftBySeconds(int32_t seconds, TDateTime moment);
