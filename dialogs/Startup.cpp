#include "dialogs/Startup.h"

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/ToMe.h"
#include "widgets/ErrorBox.h"
#include "widgets/ModalDialog.h"

#include <QFileInfo>

void RunStartupDialogs(TvxPrjInfo& prj) {
    if (QFileInfo::exists(prj.IniFileName())) {
        // The answer needs no handling here: an admission has already
        // restarted the record, and the main window reads it when it loads.
        TfrmCheckSmoke check(prj);
        check.ShowModal();
        return;
    }

    {
        TfrmCalcDebt calc(prj);
        calc.SetFirstRunMode();
        calc.ShowModal();
    }
    {
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
