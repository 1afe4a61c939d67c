#pragma once
// The main window: the progress column on the left (abstinence clock, rank,
// record rows, savings, health milestones, the craving and relapse buttons)
// and the month calendar on the right. It lives in the tray: minimise and
// the close box hide it; only the tray's quit command closes it for real.

#include "core/Progress.h"
#include "core/ProjectInfo.h"
#include "dialogs/StateReloader.h"
#include "widgets/CounterImage.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QLabel;
class QMessageBox;
class QMenu;
class QAction;
class QSystemTrayIcon;
class QTimer;
class TvxButtonImages;
class TvxFlatMenuStyle;
class TvxImageButton;
class TfrmImagesRes;
class THintGrid;
class TvxGauge;
class TvxGradiButton;
class TvxGradiColors;
class TvxPalette;
class TvxPanel;
class TvxTrayHost;
class TvxModalDialog;

// How the user answered a box the main window waited for, whichever kind of
// box it was: None when it ended any other way or never opened.
enum class TvxAnswer { None, Ok, Cancel };

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

// Lets screen readers read the seconds counter; called when the window is made.
void InstallCounterAccessibility();

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
    // What the left column shows: the clock, the rank, the milestones and
    // the savings, counted from the quit record.
    TvxProgress& Progress() { return *m_progress; }

    // Shows the window from the tray, or in front where it is, or the
    // dialog that is up: what a second start of the program asks for.
    void BringToFront();
    // A click on the tray icon: the window hides to the tray or comes back,
    // or the dialog that is up comes to the front.
    void trayClick();
    // Records a relapse and rebuilds the left column from it. When the
    // record cannot be written the error box says so and nothing visible
    // changes; the answer is whether the restart was recorded.
    bool RestartRecord();

    // The colour labGrade is painted in; invalid while it has the default text colour.
    QColor GradeLabelColor() const { return m_gradeColor; }

    // Whether the program goes to the tray (true) or behaves as a plain
    // window because the desktop offers no tray. A test's stand-in may say.
    bool TrayUsable() const;

    // Hidden in the tray: the per-second texts rest until the window is shown.
    bool InTray() const { return m_inTray; }

    // The month calendar (MonthCalendar.cpp). The displayed month is the
    // calendar store's Year and Month; every activation lays it out again.
    void FormActivate();
    void FillMonth();
    // One cell as grdCaDrawCell paints it, with its selection state.
    QImage RenderCalendarCell(int col, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // The month steps: the buttons above the grid and the keys on it.
    void GoPrevYear();
    void GoNextYear();
    void GoPrevMonth();
    void GoNextMonth();
    // Opens the anniversary editor on the current cell's day.
    void grdCaDblClick();
    // One cell as a screen reader says it: date, holidays, anniversaries or
    // the lunar date.
    QString DescribeCalendarCell(int col, int row, const TvxMonthEntries& month);
    // Every control the tests or assistive tools look for carries its member's name.
    void NameParts();
    // Runs a dialog modal to this window; 0 once the session has ended.
    int ExecOwned(QDialog& dialog);
    void BuildLeftColumn();
    void BuildTray();
    void MakeTrayIcon();
    void TrayHostChanged();
    void BuildCommandButtons();
    void trayActivated(int reason);
    void HideToTray();
    void ShowFromTray();
    void SetClientWidthForOuter(int outerWidth);
    QSize FrameExtra() const;
    void CheckFrame();
    // In the tray the clock wakes only when something changes: at the next
    // rank, milestone or cigarette (at most a minute away).
    void ScheduleTrayTick();

    // Tray and menu commands.
    void mnShowTvlClick();
    void mnShowCalendarClick();
    void mnCalcDebtClick();
    void mnCloseClick();
    void btnVisitToHomeClick();
    void ApplyCalendarVisibility();

    // The hard moments: a relapse admitted, and a craving walked through
    // the support dialogs; both end, when confirmed, in RestartRecord.
    void btnSorryClick();
    void btnHelpClick();
    // The last question of the craving flow, with the information icon.
    static QString RelapseConfirmationText();

    // Saves Left and Top; never refuses.
    void FormCloseQuery();

    // Commands of the tray menu and of the small buttons beside the values.
    void mnShowGradeClick();
    void mnToMeClick();
    void mnTvlBoardClick();
    void vxImageButton1Click();
    void vxImageButton2Click();
    void vxImageButton3Click();
    void vxImageButton4Click();
    void btnModifyStartClick();
    void ShowGradeList();
    void ShowHistory();
    void ShowCalcDebt();
    void ShowEffects();
    // The start-date correction: asks for the new quit moment, confirms it,
    // stores it as Start and reloads.
    void ModifyStart();
    // Shows a dialog owned by this window and returns how it was answered.
    // Only this window waits for it: the tray stays live, and a click on the
    // tray brings the dialog to the front instead of being lost.
    TvxAnswer ShowOwnedModal(TvxModalDialog& dialog);
    TvxAnswer ShowOwnedModal(QMessageBox& box);
    // The modal window the program waits for, if any, brought to the front.
    bool RaiseOpenDialog();
    // The session is ending (logout, shutdown): the position is saved as
    // on any real close.
    void SessionEnding();

    // Background, record boxes and calendar frame, as painted under the controls.
    void PaintBackground(QPainter& p, const QRect& exposed = QRect()) const;

    // The left column follows the progress model.
    void ShowRecord();
    void ShowElapsed(uint32_t seconds);
    void ShowGrade(int grade, bool promotion);
    void ShowNextPromotion();
    void ShowGradePicture();
    void ShowMilestone(int milestone);
    // Tells the desktop of a rise or a new milestone reached while the window
    // rests in the tray, where nobody sees the left column.
    void NotifyGrade(int grade, bool promotion);
    void NotifyMilestone(int milestone);
    void ShowSavings(const TvxSavings& savings);
    void SetGradeColor(const QColor& color);
    void EndGradeBlink();
    void PaintGrade(QPainter& p) const;
    void PaintChecked(QPainter& p, const TvxPaintBox& box) const;

    // The month calendar's buttons and cells.
    void BuildCalendar();
    void btnBeforeYearClick();
    void btnNextYearClick();
    void btnBeforeMonthClick();
    void btnNextMonthClick();
    // Paints one cell of grdCa from the yearly files and the lunar date.
    void grdCaDrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect, bool selected,
                       const TvxMonthEntries& month);
    // Keeps today's mark on today; the clock calls it every second. Once the
    // date has changed it repaints the grid, and a calendar that showed the
    // old today's month moves on to the new today's month; one that the user
    // had moved elsewhere stays where it is.
    void FollowToday();

    // Outer window size as the user sees it, frame included.
    static constexpr int OuterWidth = 791;
    static constexpr int OuterHeight = 520;
    static constexpr int NarrowOuterWidth = 219;
    // Client size where no frame is reported.
    static constexpr int ClientWidth = 783;
    static constexpr int ClientHeight = 486;

    TvxButtonImages* vxButtonImages1 = nullptr;
    TvxButtonImages* vxButtonImages2 = nullptr;
    TvxImageButton* vxImageButton1 = nullptr;
    TvxImageButton* vxImageButton2 = nullptr;
    TvxImageButton* vxImageButton3 = nullptr;
    TvxImageButton* vxImageButton4 = nullptr;
    TvxImageButton* btnModifyStart = nullptr;
    QAction* mnShowGrade = nullptr;
    QAction* mnToMe = nullptr;
    QAction* mnTvlBoard = nullptr;
    QList<QIcon> imgsMenu;

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

    THintGrid* grdCa = nullptr;
    TvxGradiColors* vxGradiColors2 = nullptr; // Sunday
    TvxGradiColors* vxGradiColors3 = nullptr; // Saturday
    TvxGradiButton* btnBeforeMonth = nullptr;
    TvxGradiButton* btnBeforeYear = nullptr;
    TvxGradiButton* btnYear = nullptr;
    TvxGradiButton* btnNextYear = nullptr;
    TvxGradiButton* btnNextMonth = nullptr;
    TvxGradiButton* vxGradiButton1 = nullptr;
    TvxGradiButton* vxGradiButton2 = nullptr;
    TvxGradiButton* vxGradiButton3 = nullptr;
    TvxGradiButton* vxGradiButton4 = nullptr;
    TvxGradiButton* vxGradiButton5 = nullptr;
    TvxGradiButton* vxGradiButton6 = nullptr;
    TvxGradiButton* vxGradiButton7 = nullptr;
    // The month that could not be laid out and has been reported; another
    // activation of the window does not report it again.
    int m_unlaidMonth = -1;

    TvxPrjInfo& m_prj;
    TvxAnniversary& m_cursor;
    TvxProgress* m_progress = nullptr;
    QStringList FCellLines; // scratch lines of the calendar cells
    // The day number of the date the calendar last marked as today.
    qint64 m_today = 0;
    QPointer<TfrmImagesRes> m_images;
    QList<QIcon> m_img1616;
    QColor m_gradeColor;
    bool m_reallyClosing = false;
    bool m_inTray = false;
    bool m_positionSaved = false;
    QSize m_frameExtra; // outer minus client size, once the window manager told it
    QList<QRect> m_valueBoxes;
    TvxFlatMenuStyle* m_menuStyle = nullptr;
    TvxTrayHost* m_trayHost = nullptr;
};
