#include "dialogs/Startup.h"

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/ToMe.h"
#include "widgets/ErrorBox.h"
#include "widgets/ModalDialog.h"

#include <QFileInfo>

void RunStartupDialogs(TvxPrjInfo& prj) {
    const bool settingsExist = QFileInfo::exists(prj.IniFileName());
    if (settingsExist && (prj.HasStart() || prj.HasRestart())) {
        // The answer needs no handling here: an admission has already
        // restarted the record, and the main window reads it when it loads.
        TfrmCheckSmoke check(prj);
        check.ShowModal();
        return;
    }

    // A settings file without a quit moment is a first run cut short (a kill
    // or a logout while the pledge was up): it goes on where it stopped, or
    // the clock would count from every start for ever.
    if (!settingsExist) {
        TfrmCalcDebt calc(prj);
        calc.SetFirstRunMode();
        calc.ShowModal();
    }
    if (!settingsExist || !QFileInfo::exists(prj.PledgeFileName())) {
        TfrmToMe toMe(prj);
        toMe.ShowModal();
    }
    // Ended by a logout or shutdown before the user got through: the next
    // start is the first run again, not a record begun without its figures.
    if (TvxModalDialog::SessionEnded())
        return;
    try {
        prj.WriteStart(Clock::Now());
    } catch (const EFileError& error) {
        ShowFileError(nullptr, error);
    }
}
