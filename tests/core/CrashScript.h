#pragma once
// The fixed script of record writes that the crash test's writer process
// runs and the test replays: every kind of write the program makes, each
// at its own frozen moment, so that a replay writes the very same bytes.

#include "core/ProjectInfo.h"

namespace CrashScript {

// Runs write number `index` of the script named by `seed`.
void Apply(TvxPrjInfo& prj, TvxAnniversary& cursor, int seed, int index);

// The moment of the writer's relapses when it records nothing else.
TDateTime RelapseMoment();

} // namespace CrashScript
