#include "mainwindow/main.h"

#include "calendar/HintGrid.h"
#include "core/Constants.h"
#include "core/Funcs.h"
#include "core/Placement.h"
#include "mainwindow/ImagesRes.h"
#include "platform/DesktopShell.h"
#include "platform/Platform.h"
#include "resources/Pictures.h"
#include "widgets/Accessible.h"
#include "widgets/Look.h"
#include "widgets/ModalDialog.h"
#include "widgets/VxPal.h"
#include "widgets/VxPnl.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxGag.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"
#include "widgets/vxImgBtn.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <climits>
#include <utility>

namespace {

// Left-column geometry, in client coordinates.
constexpr int kCaptionX = 4;
constexpr int kValueRight = 178; // value labels end here, right-aligned
constexpr int kBoxLeft = 60;     // rounded boxes behind the values
constexpr int kBoxRight = 181;
constexpr int kRowHeight = 18;

const QColor kBoxFill(0xF7, 0xF5, 0xF0);
const QColor kBoxLine(0xD5, 0xD5, 0xCC);
const QColor kCalendarFrame(0xAA, 0xBB, 0xFF);

// QLabel repaints even for the same text; the clock sets most labels every
// second, so a label is only touched when its text really changes.
void setText(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

int gaugeValue(uint32_t v) {
    return v > uint32_t(INT_MAX) ? INT_MAX : int(v);
}

} // namespace

// ---------------------------------------------------------------- paint box

TvxPaintBox::TvxPaintBox(int tag, QWidget* parent) : QWidget(parent), m_tag(tag) {}

void TvxPaintBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (OnPaint)
        OnPaint(p, *this);
}

// --------------------------------------------------------------- main window

TfrmMain::TfrmMain(TvxPrjInfo& prjInfo, TvxAnniversary& cursor, TfrmImagesRes* images,
                   QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_prj(prjInfo), m_cursor(cursor), m_images(images) {
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate() {
    setWindowTitle(QStringLiteral("Tarvell ver 4.14"));
    setWindowIcon(AppIcon());
    setFont(Look::BaseFont(12));
    setAutoFillBackground(false);
    // The window paints its own background; the palette says the same, so
    // that controls which show their parent's colour (the corners of the
    // buttons) match what is painted around them.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Look::MainBackground());
    setPalette(windowPalette);
    setFixedSize(ClientWidth, ClientHeight);

    // Brightest, bright, face, dark, darkest.
    auto palette = [this](std::array<QRgb, TvxPalette::SlotCount> colors) {
        auto* pal = new TvxPalette(this);
        for (int i = 0; i < TvxPalette::SlotCount; ++i)
            pal->SetPaletteColor(i, QColor(colors[size_t(i)]));
        return pal;
    };
    vxPalette1 = palette({0x63898D, 0x506E71, 0x3D5355, 0x2A3839, 0x000000});
    vxPalette2 = palette({0xEDEBDA, 0xE9E7D8, 0xE5E3D6, 0xE1DFD4, 0xD5D5CC});
    vxPalette3 = palette({0xFF0000, 0xE60000, 0xCD0000, 0xB40000, 0x800000});

    vxGradiColors1 = new TvxGradiColors(this);
    vxGradiColors1->setClrOutShadow(QColor(0xE7, 0xE2, 0xD1));
    vxGradiColors1->setClrOutBorder(QColor(0xCC, 0xC7, 0xB3));

    // To assistive technology the window is a frame named by its caption.
    Accessible::SetRole(this, QAccessible::Window);
    InstallCounterAccessibility();
    m_img1616 = MarkIcons();
    BuildLeftColumn();
    BuildCommandButtons();
    labGrade->clear();

    m_progress = new TvxProgress(m_prj, this);
    connect(m_progress, &TvxProgress::Loaded, this, &TfrmMain::ShowRecord);
    connect(m_progress, &TvxProgress::ElapsedChanged, this, &TfrmMain::ShowElapsed);
    connect(m_progress, &TvxProgress::GradeChanged, this, &TfrmMain::ShowGrade);
    connect(m_progress, &TvxProgress::MilestoneChanged, this, &TfrmMain::ShowMilestone);
    connect(m_progress, &TvxProgress::GradeChanged, this, &TfrmMain::NotifyGrade);
    connect(m_progress, &TvxProgress::MilestoneReached, this, &TfrmMain::NotifyMilestone);
    connect(m_progress, &TvxProgress::SavingsChanged, this, &TfrmMain::ShowSavings);

    tmrCount = new QTimer(this);
    tmrCount->setInterval(1000);
    connect(tmrCount, &QTimer::timeout, this, &TfrmMain::tmrCountTimer);
    tmrCount->start();

    BuildTray();
    BuildCalendar();
    NameParts();
    // A logout or shutdown ends the program without the quit command; the
    // position is saved all the same.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfrmMain::SessionEnding);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmMain::SessionEnding);
}

void TfrmMain::NameParts() {
    const std::pair<QObject*, const char*> parts[] = {
        {vxButtonImages1, "vxButtonImages1"},
        {vxButtonImages2, "vxButtonImages2"},
        {vxImageButton1, "vxImageButton1"},
        {vxImageButton2, "vxImageButton2"},
        {vxImageButton3, "vxImageButton3"},
        {vxImageButton4, "vxImageButton4"},
        {btnModifyStart, "btnModifyStart"},
        {mnShowGrade, "mnShowGrade"},
        {mnToMe, "mnToMe"},
        {mnTvlBoard, "mnTvlBoard"},
        {labDateTime, "labDateTime"},
        {labGrade, "labGrade"},
        {labStart, "labStart"},
        {labReStart, "labReStart"},
        {labNow, "labNow"},
        {labCountRetry, "labCountRetry"},
        {labUpgrade, "labUpgrade"},
        {labDebt, "labDebt"},
        {labCount, "labCount"},
        {labToMoney, "labToMoney"},
        {labMargin, "labMargin"},
        {labCheckStr1, "labCheckStr1"},
        {labCheckStr2, "labCheckStr2"},
        {labCheckStr3, "labCheckStr3"},
        {labExp, "labExp"},
        {imgSec, "imgSec"},
        {pntGrade, "pntGrade"},
        {pntChecked1, "pntChecked1"},
        {pntChecked2, "pntChecked2"},
        {pntChecked3, "pntChecked3"},
        {gagGrade, "gagGrade"},
        {gag, "gag"},
        {vxPanel1, "vxPanel1"},
        {pnlDateTime, "pnlDateTime"},
        {vxPalette1, "vxPalette1"},
        {vxPalette2, "vxPalette2"},
        {vxPalette3, "vxPalette3"},
        {vxGradiColors1, "vxGradiColors1"},
        {btnHelp, "btnHelp"},
        {btnSorry, "btnSorry"},
        {btnVisitToHome, "btnVisitToHome"},
        {tmrCount, "tmrCount"},
        {popTray, "popTray"},
        {mnCalcDebt, "mnCalcDebt"},
        {mnShowCalendar, "mnShowCalendar"},
        {mnShowTvl, "mnShowTvl"},
        {mnClose, "mnClose"},
        {grdCa, "grdCa"},
        {vxGradiColors2, "vxGradiColors2"},
        {vxGradiColors3, "vxGradiColors3"},
        {btnBeforeMonth, "btnBeforeMonth"},
        {btnBeforeYear, "btnBeforeYear"},
        {btnYear, "btnYear"},
        {btnNextYear, "btnNextYear"},
        {btnNextMonth, "btnNextMonth"},
        {vxGradiButton1, "vxGradiButton1"},
        {vxGradiButton2, "vxGradiButton2"},
        {vxGradiButton3, "vxGradiButton3"},
        {vxGradiButton4, "vxGradiButton4"},
        {vxGradiButton5, "vxGradiButton5"},
        {vxGradiButton6, "vxGradiButton6"},
        {vxGradiButton7, "vxGradiButton7"},
    };
    for (const auto& [part, name] : parts)
        part->setObjectName(QLatin1String(name));
}

void TfrmMain::BuildLeftColumn() {
    auto label = [this](const QString& text, const QRect& r, Qt::Alignment align = Qt::AlignLeft) {
        auto* l = new QLabel(text, this);
        l->setGeometry(r);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };

    // Dark counter panel with the seconds and the years-to-seconds line.
    vxPanel1 = new TvxPanel(this);
    vxPanel1->setGeometry(2, 4, 198, 48);
    vxPanel1->SetColorPalette(vxPalette1);
    vxPanel1->SetShapeStyle(ssDown);
    imgSec = new TvxCounterImage(vxPanel1);
    imgSec->setGeometry(4, 3, 174, 26);
    auto* labSec = new QLabel(QStringLiteral("초"), vxPanel1);
    labSec->setFont(Look::BaseFont(13));
    labSec->setGeometry(180, 9, 16, 16);
    QPalette secPal = labSec->palette();
    secPal.setColor(QPalette::WindowText, QColor(0xEB, 0xF1, 0xF1));
    labSec->setPalette(secPal);
    pnlDateTime = new TvxPanel(vxPanel1);
    pnlDateTime->setGeometry(1, 31, 196, 16); // the panel's bottom, inside its outer edge
    pnlDateTime->SetColorPalette(vxPalette2);
    pnlDateTime->SetShapeStyle(ssUp);
    pnlDateTime->SetBorder(brLeft | brTop | brRight | brBottom);
    labDateTime = new QLabel(pnlDateTime);
    labDateTime->setGeometry(2, 1, 190, 14);
    labDateTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Rank: picture, title, gauge towards the next rank.
    pntGrade = new TvxPaintBox(0, this);
    pntGrade->setGeometry(6, 57, 32, 32);
    pntGrade->OnPaint = [this](QPainter& p, const TvxPaintBox&) { PaintGrade(p); };
    Accessible::SetRole(pntGrade, QAccessible::Graphic);
    labGrade = label(QString(), QRect(44, 58, 156, 18));
    QFont bold = Look::BaseFont(13);
    bold.setBold(true);
    labGrade->setFont(bold);
    gagGrade = new TvxGauge(this);
    gagGrade->setGeometry(38, 80, 143, 7); // ends left of the column of small buttons
    gagGrade->SetColorPalette(vxPalette3);
    gagGrade->SetShapeStyle(ssUp);
    gagGrade->SetMin(0);
    gagGrade->setAccessibleName(QStringLiteral("다음 진급까지"));

    // Record rows: caption on the left, value right-aligned over a rounded box.
    auto row = [&](int y, const QString& caption, int valueWidth) {
        label(caption, QRect(kCaptionX, y, 58, kRowHeight - 2));
        m_valueBoxes << QRect(kBoxLeft, y, kBoxRight - kBoxLeft, kRowHeight - 2);
        return label(QString(), QRect(kValueRight - valueWidth, y, valueWidth, kRowHeight - 2),
                     Qt::AlignRight);
    };
    labStart = row(95, QStringLiteral("금연 시작"), 116);
    labReStart = row(113, QStringLiteral("새로 시작"), 116);
    labNow = row(131, QStringLiteral("현재 시간"), 116);
    labCountRetry = row(149, QStringLiteral("실패 횟수"), 90);
    labUpgrade = row(167, QStringLiteral("다음 진급"), 116);
    labDebt = row(190, QStringLiteral("소비 금액"), 90);
    labCount = row(208, QStringLiteral("참은 담배"), 116);
    labToMoney = row(226, QStringLiteral("금액 환산"), 116);
    labMargin = row(244, QStringLiteral("차액"), 116);

    // Health milestones: three marked rows, the long text and its gauge.
    auto* labEffect = label(QStringLiteral("금연 효과"), QRect(kCaptionX, 268, 120, 16));
    labEffect->setFont(bold);
    auto checkRow = [&](int tag, int y, TvxPaintBox*& box, QLabel*& text) {
        box = new TvxPaintBox(tag, this);
        box->setGeometry(8, y, 16, 16);
        box->OnPaint = [this](QPainter& p, const TvxPaintBox& b) { PaintChecked(p, b); };
        Accessible::SetRole(box, QAccessible::Graphic);
        text = label(QString(), QRect(28, y, 172, 16));
        text->setAttribute(Qt::WA_TranslucentBackground);
    };
    checkRow(0, 286, pntChecked1, labCheckStr1);
    checkRow(1, 304, pntChecked2, labCheckStr2);
    checkRow(2, 322, pntChecked3, labCheckStr3);
    m_valueBoxes << QRect(22, 342, 160, 53);
    labExp = new QLabel(this);
    labExp->setGeometry(24, 344, 156, 49);
    labExp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labExp->setWordWrap(false);
    gag = new TvxGauge(this);
    gag->setGeometry(24, 398, 156, 7);
    gag->SetColorPalette(vxPalette3);
    gag->SetShapeStyle(ssUp);
    gag->SetMin(0);
    gag->setAccessibleName(QStringLiteral("금연 효과 진행"));

    // The craving button, the relapse button and the home page.
    btnHelp = new TvxGradiButton(this);
    btnHelp->setGeometry(20, 412, 163, 34);
    btnHelp->SetCaption(QStringLiteral("아~땡긴다!"));
    btnHelp->SetColors(vxGradiColors1);
    btnSorry = new TvxGradiButton(this);
    btnSorry->setGeometry(16, 452, 86, 23);
    btnSorry->SetCaption(QStringLiteral("미안해..."));
    btnSorry->SetColors(vxGradiColors1);
    btnVisitToHome = new TvxGradiButton(this);
    btnVisitToHome->setGeometry(108, 452, 78, 23);
    btnVisitToHome->SetCaption(QStringLiteral("Tarvell"));
    btnVisitToHome->SetColors(vxGradiColors1);
    btnVisitToHome->setAccessibleDescription(QStringLiteral("Tarvell 홈페이지를 엽니다."));
    for (TvxGradiButton* b : {btnHelp, btnSorry, btnVisitToHome})
        b->SetKeyboardReach(true);
    connect(btnVisitToHome, &TvxGradiButton::clicked, this, &TfrmMain::btnVisitToHomeClick);
    connect(btnHelp, &TvxGradiButton::clicked, this, &TfrmMain::btnHelpClick);
    connect(btnSorry, &TvxGradiButton::clicked, this, &TfrmMain::btnSorryClick);
}

// -------------------------------------------------------------------- state

void TfrmMain::LoadState() {
    const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
    // The window's size at this moment, frame included: 791 wide at start-up,
    // before the stored calendar setting may narrow it.
    const int outerW = width() + FrameExtra().width();
    const int outerH = height() + FrameExtra().height();
    const QPoint centred(screen.width() / 2 - outerW / 2, screen.height() / 2 - outerH / 2);
    const QPoint stored = m_prj.ReadWindowPos(centred);
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->availableGeometry();
    // The caption is the frame's top part above the bottom border's share.
    const int caption = FrameExtra().height() - FrameExtra().width() / 2;
    // What has to fit on the screen is the window as it will be shown: a
    // narrow one stored at the right edge stays there.
    const bool calendar = m_prj.ReadShowCalendar();
    const int shownW = calendar ? outerW : NarrowOuterWidth;
    move(PlaceWindow(stored.x(), stored.y(), QSize(shownW, outerH), caption, screens, centred));

    mnShowCalendar->setChecked(calendar);
    ApplyCalendarVisibility();
    m_progress->Load();
}

void TfrmMain::ShowRecord() {
    const TvxProgress& p = *m_progress;
    setText(labStart, FormatDateTime(p.Start()));
    setText(labReStart, p.Restarted() ? FormatDateTime(p.ClockBase()) : QString());
    setText(labCountRetry, FormatThousands(p.RetryCount()));
    setText(labDebt, FormatThousands(uint32_t(p.Debt())));
    ShowSavings(p.Savings());
    // The stored rank, plainly named, until the first count says otherwise.
    setText(labGrade, GradeNames[size_t(p.Grade())]);
    EndGradeBlink();
    ShowGradePicture();
    ShowNextPromotion();
}

// -------------------------------------------------------------------- clock

void TfrmMain::tmrCountTimer() {
    FollowToday();
    if (m_inTray) {
        m_progress->Sync();
        ScheduleTrayTick();
        return;
    }
    m_progress->Tick();
    if (m_progress->GradeBlink())
        SetGradeColor(m_gradeColor == QColor(Qt::black) ? QColor(Qt::red) : QColor(Qt::black));
}

void TfrmMain::ShowElapsed(uint32_t seconds) {
    // In the tray nobody sees the per-second texts: the rank, the milestone
    // and the savings still follow the clock, the rest waits for the window
    // to be shown again. A resting program then costs next to nothing.
    if (m_inTray)
        return;
    imgSec->SetCount(seconds);
    gagGrade->SetValue(gaugeValue(seconds));
    gag->SetValue(gaugeValue(seconds));
    setText(labDateTime, TvxProgress::SpanText(seconds));
    setText(labNow, FormatDateTime(Clock::Now()));
}

void TfrmMain::ShowSavings(const TvxSavings& savings) {
    setText(labCount, savings.CountText);
    setText(labToMoney, savings.MoneyText);
    setText(labMargin, savings.MarginText);
}

// ------------------------------------------------------------------ grades

void TfrmMain::ShowGrade(int grade, bool promotion) {
    setText(labGrade, promotion ? TvxProgress::PromotionText(grade) : GradeNames[size_t(grade)]);
    if (!m_progress->GradeBlink())
        EndGradeBlink();
    ShowGradePicture();
    ShowNextPromotion();
}

void TfrmMain::ShowGradePicture() {
    pntGrade->setAccessibleName(GradeNames[size_t(m_progress->Grade())] +
                                QStringLiteral(" 등급 그림"));
    pntGrade->update();
}

void TfrmMain::ShowNextPromotion() {
    gagGrade->SetMax(gaugeValue(m_progress->NextGradeSeconds()));
    // A new maximum does not re-clamp the value: set it again so the bar is
    // right now rather than at the next tick.
    gagGrade->SetValue(gaugeValue(m_progress->Elapsed()));
    setText(labUpgrade, FormatDateTime(m_progress->NextPromotion()));
}

void TfrmMain::SetGradeColor(const QColor& color) {
    m_gradeColor = color;
    QPalette pal = labGrade->palette();
    pal.setColor(QPalette::WindowText, color);
    labGrade->setPalette(pal);
}

void TfrmMain::EndGradeBlink() {
    // Whichever colour the blinking last showed, the title goes back to the
    // window's own text colour: a fall must not leave it red.
    if (!m_gradeColor.isValid())
        return;
    m_gradeColor = QColor();
    QPalette pal = labGrade->palette();
    pal.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    labGrade->setPalette(pal);
}

void TfrmMain::PaintGrade(QPainter& p) const {
    if (m_images)
        p.drawPixmap(0, 0, m_images->gradePixmap(m_progress->Grade()));
}

// -------------------------------------------------------------- milestones

void TfrmMain::ShowMilestone(int b) {
    gag->SetMax(gaugeValue(EffectSeconds[size_t(b)]));
    gag->SetValue(gaugeValue(m_progress->Elapsed()));
    // The group of three that holds the milestone in progress.
    const int first = 3 * (b / 3);
    setText(labCheckStr1, EffectTitles[size_t(first)]);
    setText(labCheckStr2, EffectTitles[size_t(first + 1)]);
    setText(labCheckStr3, EffectTitles[size_t(first + 2)]);
    // The texts break lines at single carriage returns.
    QString exp = EffectTexts[size_t(b)];
    exp.replace(u'\r', u'\n');
    setText(labExp, exp);
    // The marks say for a listener what they show: the rows before the marked
    // one are reached, the rows after it still ahead.
    const int slot = m_progress->MilestoneSlot();
    TvxPaintBox* boxes[] = {pntChecked1, pntChecked2, pntChecked3};
    for (TvxPaintBox* box : boxes) {
        box->setAccessibleName(box->Tag() < slot    ? QStringLiteral("달성")
                               : box->Tag() == slot ? QStringLiteral("진행 중")
                                                    : QStringLiteral("남음"));
        box->update();
    }
}

void TfrmMain::PaintChecked(QPainter& p, const TvxPaintBox& box) const {
    const QIcon& icon = m_img1616.value(box.Tag() == m_progress->MilestoneSlot() ? 1 : 0);
    p.drawPixmap(0, 0, icon.pixmap(16, 16));
}

// ---------------------------------------------------------- window and tray

bool TfrmMain::TrayUsable() const {
    if (const TvxPlatformStandIn* standIn = PlatformStandIn::Current();
        standIn && standIn->TrayShown >= 0)
        return standIn->TrayShown != 0;
    return m_trayHost && m_trayHost->IconShown();
}

void TfrmMain::HideToTray() {
    // Hiding a top-level window also takes its taskbar entry away.
    hide();
    m_inTray = true;
    ScheduleTrayTick();
}

void TfrmMain::ScheduleTrayTick() {
    // Wake just after the wall-clock second at which the count reaches the
    // next change, so a promotion is still logged at its own second.
    const qint64 msInSecond = DateTimeToTimeStamp(Clock::Now()).Time % 1000;
    const qint64 delay =
        qint64(m_progress->SecondsToNextChange() - 1) * 1000 + (1000 - msInSecond) + 20;
    tmrCount->setTimerType(Qt::PreciseTimer);
    tmrCount->start(int(delay));
}

void TfrmMain::ShowFromTray() {
    // Where minimising goes unreported, a window the compositor minimised is
    // mapped anew to come back.
    if (!Shell::MinimiseReported() && isVisible())
        hide();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TfrmMain::mnShowTvlClick() {
    // Where minimising goes unreported, only a window in front is known to be seen.
    if (isVisible() && !isMinimized() && (Shell::MinimiseReported() || isActiveWindow()))
        HideToTray();
    else
        ShowFromTray();
}

void TfrmMain::mnShowCalendarClick() {
    // The action has already toggled its own check mark.
    m_prj.WriteShowCalendar(mnShowCalendar->isChecked());
    ApplyCalendarVisibility();
}

void TfrmMain::ApplyCalendarVisibility() {
    SetClientWidthForOuter(mnShowCalendar->isChecked() ? OuterWidth : NarrowOuterWidth);
}

QSize TfrmMain::FrameExtra() const {
    // Before the window manager has framed the window, assume the designed
    // frame share; offscreen and frameless, that gives the designed client size.
    return m_frameExtra.isValid() ? m_frameExtra
                                  : QSize(OuterWidth - ClientWidth, OuterHeight - ClientHeight);
}

void TfrmMain::SetClientWidthForOuter(int outerWidth) {
    const QSize extra = FrameExtra();
    const QSize client(outerWidth - extra.width(), OuterHeight - extra.height());
    if (size() != client)
        setFixedSize(client);
}

void TfrmMain::mnCloseClick() {
    // From any state: the open dialogs end as cancelled and no other opens.
    m_reallyClosing = true;
    TvxModalDialog::EndSession();
    close();
}

void TfrmMain::FormCloseQuery() {
    // A platform that keeps positions to itself keeps the stored ones too.
    if (!Shell::PositionsKnown()) {
        m_positionSaved = true;
        return;
    }
    m_prj.WriteWindowPos(pos());
    m_positionSaved = true;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // The close box sends the program to the tray, as long as there is a tray
    // to come back from; otherwise it would become an invisible process.
    if (!m_reallyClosing && TrayUsable()) {
        event->ignore();
        HideToTray();
        return;
    }
    m_reallyClosing = true;
    if (!m_positionSaved)
        FormCloseQuery();
    event->accept();
    // The window is gone for good, so is the program: a process left running
    // without a window would only refuse the next start as "already running".
    TvxModalDialog::LeaveEventLoops();
}

void TfrmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Leave the minimise itself alone, then hide: restoring comes through the tray.
        QTimer::singleShot(0, this, [this] {
            if (!isMinimized())
                return;
            // Window managers iconify a dialog's owner with the dialog; the
            // dialog comes back, and so does the window it belongs to.
            if (RaiseOpenDialog())
                setWindowState(windowState() & ~Qt::WindowMinimized);
            else if (TrayUsable())
                HideToTray();
        });
    }
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_inTray) {
        m_inTray = false;
        tmrCount->setTimerType(Qt::CoarseTimer);
        tmrCount->start(1000);
        m_progress->Sync(); // bring the per-second texts up to date at once
    }
    // The window manager frames the window some time after it is mapped, and
    // tells by moving or exposing it; the frame is measured again then.
    if (QWindow* handle = windowHandle()) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
    QTimer::singleShot(0, this, &TfrmMain::CheckFrame);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move ||
         event->type() == QEvent::Resize))
        QTimer::singleShot(0, this, &TfrmMain::CheckFrame);
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::CheckFrame() {
    // Size the client area so that the whole window, frame included, has the
    // designed size.
    if (!isVisible())
        return;
    const QMargins m = Shell::FrameOf(windowHandle());
    if (m.isNull())
        return;
    const QSize extra = Shell::FrameForLayout(m, devicePixelRatioF());
    if (m_frameExtra != extra) {
        m_frameExtra = extra;
        ApplyCalendarVisibility();
    }
}

void TfrmMain::PaintBackground(QPainter& p, const QRect& exposed) const {
    const QRect area = exposed.isNull() ? rect() : exposed;
    p.fillRect(area, Look::MainBackground());
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(kBoxLine);
    p.setBrush(kBoxFill);
    // The clock repaints a label or two every second: only the boxes under
    // them are drawn again.
    for (const QRect& r : m_valueBoxes)
        if (r.intersects(area))
            p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(kCalendarFrame);
    if (QRect(203, 5, 568, 475).intersects(area) && !QRect(204, 6, 566, 473).contains(area))
        p.drawRect(203, 5, 567, 474);
}

void TfrmMain::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    PaintBackground(p, event->rect());
}
