#include "mainwindow/Startup.h"

#include "core/ProjectInfo.h"
#include "dialogs/Startup.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"
#include "widgets/ModalDialog.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Without a display Qt would abort with a terse message; say what to do instead.
bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int RunTarvell(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "Tarvell needs a desktop to show its window, and none was found.\n"
                     "To try it without one, run it on a virtual display:\n"
                     "  xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "Tarvell");
        return 1;
    }
    TApplication app(argc, argv);
    TApplication::InstallDesktopServices();
    app.InstallTerminationHandler();
    // The window lives in the tray; hiding it must not end the program.
    app.setQuitOnLastWindowClosed(false);
    // The application title. Set before anything else: the per-user folders
    // (and the instance guard's fallback) follow it, and it must not change
    // with the executable's file name. Window captions stay as each window
    // sets them. The desktop file name lets the desktop match the windows to
    // the launcher.
    app.setApplicationName(QStringLiteral("Tarvell"));
    app.setDesktopFileName(QStringLiteral("io.github.tarvell.Tarvell"));

    auto prjInfo = std::make_unique<TvxPrjInfo>();
    if (!prjInfo->RecordsFolderError.isEmpty()) {
        ShowErrorBox(prjInfo->RecordsFolderError);
        return 1;
    }
    auto calendarCursor =
        std::make_unique<TvxAnniversary>(prjInfo->ProgramFolder, prjInfo->InstalledDataFolder);
    auto imagesRes = std::make_unique<TfrmImagesRes>();

    if (!prjInfo->CheckSingleInstance())
        return 0;
    // A second copy's request: the main window comes to the front as a tray
    // click brings it; before it exists, the start-up dialog that is up.
    TfrmMain* mainWindow = nullptr;
    prjInfo->OnActivationRequest([&mainWindow] {
        if (mainWindow) {
            mainWindow->BringToFront();
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->raise();
            modal->activateWindow();
        }
    });
    if (!prjInfo->RecordsFolderNotice.isEmpty())
        QMessageBox::information(nullptr, QStringLiteral("Tarvell"), prjInfo->RecordsFolderNotice);

    try {
        RunStartupDialogs(*prjInfo);
    } catch (const EFileError& e) {
        ShowErrorBox(e.message());
    }
    if (TvxModalDialog::SessionEnded())
        return 0;

    int result = 0;
    {
        TfrmMain frmMain(*prjInfo, *calendarCursor, imagesRes.get());
        try {
            frmMain.LoadState();
        } catch (const EFileError& e) {
            ShowErrorBox(e.message());
        }
        frmMain.show();
        mainWindow = &frmMain;
        result = app.exec();
        mainWindow = nullptr;
    }

    imagesRes.reset();
    prjInfo.reset();
    calendarCursor.reset();
    return result;
}
