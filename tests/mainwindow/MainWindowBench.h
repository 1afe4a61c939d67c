#pragma once
// What the main window's tests stand on: a fresh program folder, the clock
// frozen at a moment, the settings object and the calendar store on that
// folder, the pictures, and the window made from them.

#include "core/ProjectInfo.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "platform/Platform.h"
#include "tests/support/TestSupport.h"
#include "widgets/ModalDialog.h"

#include <memory>

class MainWindowBench {
protected:
    // For init(): everything but the window, the clock frozen at `now`.
    void SetUpBench(TDateTime now) {
        m_dir = std::make_unique<TestSupport::TempProgramFolder>();
        m_clock = std::make_unique<TestSupport::FrozenClock>(now);
        m_prj = std::make_unique<TvxPrjInfo>(m_dir->path());
        m_cursor = std::make_unique<TvxAnniversary>(m_dir->path());
        m_images = std::make_unique<TfrmImagesRes>();
        m_platform = TvxPlatformStandIn();
        m_platform.TrayShown = 1;
        PlatformStandIn::Set(&m_platform);
    }

    // For cleanup(): the window first, the folder last.
    void TearDownBench() {
        m_main.reset();
        PlatformStandIn::Set(nullptr);
        m_images.reset();
        m_cursor.reset();
        m_prj.reset();
        m_clock.reset();
        m_dir.reset();
        // The quit command ends the session for good; the next case starts anew.
        TvxModalDialog::SetSessionEnded(false);
    }

    // A new main window on the bench that takes the tray as there; its
    // state is not loaded yet.
    TfrmMain& MakeWindow() {
        m_main = std::make_unique<TfrmMain>(*m_prj, *m_cursor, m_images.get());
        return *m_main;
    }

    std::unique_ptr<TestSupport::TempProgramFolder> m_dir;
    std::unique_ptr<TestSupport::FrozenClock> m_clock;
    std::unique_ptr<TvxPrjInfo> m_prj;
    std::unique_ptr<TvxAnniversary> m_cursor;
    std::unique_ptr<TfrmImagesRes> m_images;
    std::unique_ptr<TfrmMain> m_main;
    // What the bench's platform pretends: a tray that shows the icon; each
    // case may pretend more.
    TvxPlatformStandIn m_platform;
};
