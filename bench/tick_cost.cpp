// CPU cost of one clock tick of the main window, hidden and shown
// (offscreen), measured over many ticks with the real clock.
#include "core/ProjectInfo.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "platform/Platform.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    QTemporaryDir folder;
    TvxPrjInfo prj(folder.path());
    TvxAnniversary cursor(folder.path());
    TfrmImagesRes images;
    prj.WriteStart(Clock::Now() - 45.0);
    // No tray: the window stays on the screen whatever is asked of it.
    TvxPlatformStandIn noTray;
    noTray.TrayShown = 0;
    PlatformStandIn::Set(&noTray);
    TfrmMain main(prj, cursor, &images);
    main.LoadState();
    const int ticks = argc > 1 ? atoi(argv[1]) : 5000;
    for (bool shown : {false, true}) {
        if (shown) {
            main.show();
            app.processEvents();
        }
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < ticks; ++i) {
            main.tmrCountTimer();
            app.processEvents();
        }
        std::printf("%s: %.1f us per tick\n", shown ? "shown" : "hidden",
                    double(t.nsecsElapsed()) / ticks / 1000.0);
    }
    return 0;
}
