#pragma once
// The main window: the progress column on the left (abstinence clock, rank,
// record rows, savings, health milestones, the craving and relapse buttons)
// and the month calendar on the right. It lives in the tray: minimise and
// the close box hide it; only the tray's quit command closes it for real.

#include "core/ProjectInfo.h"
#include "dialogs/StateReloader.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QMenu;
class QAction;
class QSystemTrayIcon;
class QTimer;
class TfrmImagesRes;
class TvxGauge;
class TvxGradiButton;
class TvxGradiColors;
class TvxPalette;
class TvxPanel;

// The seconds counter: the total count painted white on the dark panel.
// It keeps only the number and paints on demand, so a hidden window costs
// no drawing at all.
class TvxCounterImage : public QWidget {
    Q_OBJECT
public:
    explicit TvxCounterImage(QWidget* parent = nullptr);
    void SetCount(uint32_t count);
    uint32_t Count() const { return m_count; }
    // The bitmap as the clock paints it: ARGB FF3D5553, the count in white
    // at x = 150 - 10 x its length, Arial 18 bold.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t m_count = 0;
    bool m_painted = false;
    QFont m_font; // resolved once: the counter is drawn every second
};

// A 16 by 16 milestone mark (tag 0, 1 or 2) or the 32 by 32 rank picture.
class TvxPaintBox : public QWidget {
    Q_OBJECT
public:
    TvxPaintBox(int tag, QWidget* parent);
    int Tag() const { return m_tag; }
    std::function<void(QPainter&, const TvxPaintBox&)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_tag;
};

class TfrmMain : public QWidget, public IStateReloader {
    Q_OBJECT
public:
    TfrmMain(TvxPrjInfo& prjInfo, TvxAnniversary& cursor, TfrmImagesRes* images,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Re-reads the settings file and rebuilds the whole left column.
    void LoadState() override;

    // One second of the clock; the timer calls it, and so do tests.
    void tmrCountTimer();
    void SetElapsed(uint32_t seconds);
    void RefreshPanel();
    void UpdateSavings();
    void ChangeGrade(int newGrade);
    void ShowNextPromotion(int grade);
    void UpdateMilestone(int milestone);

    // Tray and menu commands.
    void trayClick();
    void mnShowTvlClick();
    void mnShowCalendarClick();
    void mnCalcDebtClick();
    void mnCloseClick();
    void btnVisitToHomeClick();
    void ApplyCalendarVisibility();

    // Saves Left and Top; never refuses.
    void FormCloseQuery();

    // Outer window size as the user sees it, frame included.
    static constexpr int OuterWidth = 791;
    static constexpr int OuterHeight = 520;
    static constexpr int NarrowOuterWidth = 219;
    // Client size where no frame is reported.
    static constexpr int ClientWidth = 783;
    static constexpr int ClientHeight = 486;

    // State of the left column, exposed for tests.
    uint32_t FElapsed = 0;
    TDateTime FClockBase = 0;
    uint8_t FGrade = 0;
    bool FGradeBlink = false;
    int32_t FMilestone = -1;
    int32_t FMilestoneSlot = 0;
    uint32_t FSecsPerCigarette = 0;
    uint32_t FCigarettesPerDay = 0;
    uint32_t FCigarettes = 0;
    QStringList FCellLines; // scratch lines of the calendar cells

    QLabel* labDateTime = nullptr;
    QLabel* labGrade = nullptr;
    QLabel* labStart = nullptr;
    QLabel* labReStart = nullptr;
    QLabel* labNow = nullptr;
    QLabel* labCountRetry = nullptr;
    QLabel* labUpgrade = nullptr;
    QLabel* labDebt = nullptr;
    QLabel* labCount = nullptr;
    QLabel* labToMoney = nullptr;
    QLabel* labMargin = nullptr;
    QLabel* labCheckStr1 = nullptr;
    QLabel* labCheckStr2 = nullptr;
    QLabel* labCheckStr3 = nullptr;
    QLabel* labExp = nullptr;
    TvxCounterImage* imgSec = nullptr;
    TvxPaintBox* pntGrade = nullptr;
    TvxPaintBox* pntChecked1 = nullptr;
    TvxPaintBox* pntChecked2 = nullptr;
    TvxPaintBox* pntChecked3 = nullptr;
    TvxGauge* gagGrade = nullptr;
    TvxGauge* gag = nullptr;
    TvxPanel* vxPanel1 = nullptr;
    TvxPanel* pnlDateTime = nullptr;
    TvxPalette* vxPalette1 = nullptr;
    TvxPalette* vxPalette2 = nullptr;
    TvxPalette* vxPalette3 = nullptr;
    TvxGradiColors* vxGradiColors1 = nullptr;
    TvxGradiButton* btnHelp = nullptr;
    TvxGradiButton* btnSorry = nullptr;
    TvxGradiButton* btnVisitToHome = nullptr;
    QTimer* tmrCount = nullptr;
    QSystemTrayIcon* tray = nullptr;
    QMenu* popTray = nullptr;
    QAction* mnCalcDebt = nullptr;
    QAction* mnShowCalendar = nullptr;
    QAction* mnShowTvl = nullptr;
    QAction* mnClose = nullptr;

    // The colour labGrade is painted in; invalid while it has the default text colour.
    QColor GradeLabelColor() const { return m_gradeColor; }

    // Whether the program goes to the tray (true) or behaves as a plain
    // window because the desktop offers no tray. Tests may force it.
    bool TrayUsable() const;
    void SetTrayAvailableForTesting(int available) { m_trayOverride = available; }

    // Background, record boxes and calendar frame, as painted under the controls.
    void PaintBackground(QPainter& p, const QRect& exposed = QRect()) const;
    // Hidden in the tray: the per-second texts rest until the window is shown.
    bool InTray() const { return m_inTray; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void BuildLeftColumn();
    void BuildTray();
    void HideToTray();
    void ShowFromTray();
    void SetClientWidthForOuter(int outerWidth);
    QSize FrameExtra() const;
    uint32_t SpanNow() const;
    int GradeToShow(uint32_t count);
    void ScheduleTrayTick();

public:
    // In the tray the clock wakes only when something changes: the seconds
    // until the next rank, milestone or cigarette (at most a minute).
    uint32_t SecondsToNextChange() const;

private:
    void SetGradeColor(const QColor& color);
    void PaintGrade(QPainter& p) const;
    void PaintChecked(QPainter& p, const TvxPaintBox& box) const;

    TvxPrjInfo& m_prj;
    TvxAnniversary& m_cursor;
    QPointer<TfrmImagesRes> m_images;
    QList<QIcon> m_img1616;
    QColor m_gradeColor;
    bool m_reallyClosing = false;
    bool m_inTray = false;
    bool m_positionSaved = false;
    int m_trayOverride = -1;
    QSize m_frameExtra; // outer minus client size, once the window manager told it
    std::optional<TDateTime> m_loadedBase; // the clock base of the last load
    bool m_gradeMayFall = false;           // only for the refresh of a load that moved it
    QList<QRect> m_valueBoxes;
};
