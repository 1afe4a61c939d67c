#pragma once
// The dialogs of start-up, shown before the main window exists.

class TvxPrjInfo;

// With a settings file: the daily check. Without one (first run): the cost
// calculator in first-run mode, the pledge, and then the quit moment written
// as the start of the record, whatever the user did in the two dialogs.
// A settings file that has no quit moment yet (the first run was cut short)
// finishes the first run: the pledge when there is none, then the start.
// A failure to write the start is shown in the error box.
void RunStartupDialogs(TvxPrjInfo& prj);
