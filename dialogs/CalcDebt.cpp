#include "dialogs/CalcDebt.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "dialogs/StateReloader.h"
#include "resources/Pictures.h"
#include "runtime/DateTime.h"
#include "widgets/ErrorBox.h"
#include "widgets/MaskEdit.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using namespace DialogParts;

namespace {

// A smoking day of 18 hours, shared out among the day's cigarettes.
constexpr int32_t SmokingDaySeconds = 64800;
constexpr int32_t CigarettesPerPack = 20;

QString Won(uint32_t amount) {
    return FormatThousands(qint64(amount)) + QStringLiteral("원");
}

void Bevel(QWidget* parent, int left, int right, int top) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(left, top, right - left, 2);
}

} // namespace

TfrmCalcDebt::TfrmCalcDebt(TvxPrjInfo& prj, IStateReloader* reloader, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::Dialog), m_prj(prj), m_reloader(reloader) {
    setWindowTitle(QStringLiteral("지금까지 피운 담배값은....?"));
    SetClientSize(377, 282);
    SetBackground(QColor(0xE1, 0xEB, 0xFB));

    vxGradiColors1 = new TvxGradiColors(this);
    imgIcon = Icon(this, CalcIcon(), 20, 10, QStringLiteral("담배값 계산"));

    // Prompts end at x = 222 and sit level with their edit's text; a
    // two-line prompt puts its second line beside the edit.
    constexpr int promptRight = 222;
    constexpr int unitLeft = 283;
    RightLabel(this, QStringLiteral("하루에 피우는 담배 갯수"), promptRight, 16);
    edtCount = AddEdit(QStringLiteral("00;_"), 12, QStringLiteral("하루에 피우는 담배 갯수"),
                       QStringLiteral("개비"));
    Label(this, QStringLiteral("개비"), unitLeft, 16);

    RightLabel(this, QStringLiteral("애용하시는 담배 값"), promptRight, 40);
    edtPrice = AddEdit(QStringLiteral("0000;_"), 36, QStringLiteral("애용하시는 담배 값"),
                       QStringLiteral("원"));
    Label(this, QStringLiteral("원"), unitLeft, 40);

    RightLabel(this, QStringLiteral("라이터, 의료비, 깔끔비용 등등의 "), promptRight, 61);
    RightLabel(this, QStringLiteral("한달동안의 담배 경비:"), promptRight, 76);
    edtEtc = AddEdit(QStringLiteral("00000;_"), 72,
                     QStringLiteral("라이터, 의료비, 깔끔비용 등등의 한달동안의 담배 경비"),
                     QStringLiteral("원"));
    Label(this, QStringLiteral("원"), unitLeft, 76);

    RightLabel(this, QStringLiteral("담배를 피운 년수:"), promptRight, 105);
    edtYear = AddEdit(QStringLiteral("00;_"), 101, QStringLiteral("담배를 피운 년수"),
                      QStringLiteral("년"));
    Label(this, QStringLiteral("년"), unitLeft, 105);

    Bevel(this, 20, 361, 126);
    const QFont bold13 = Font(13, true);
    RightLabel(this, QStringLiteral("인생에 빚진 금액 합계:"), promptRight, 136, bold13);
    labSum = Label(this, QStringLiteral("0 원"), 230, 136, bold13);

    labMessage = new QLabel(this);
    labMessage->setGeometry(20, 150, 341, 16);
    labMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labMessage->setFont(bold13);
    QPalette orange = labMessage->palette();
    orange.setColor(QPalette::WindowText, QColor(0xFF, 0x80, 0x00));
    labMessage->setPalette(orange);

    RightLabel(this, QStringLiteral("지금 못 끊는다면,"), promptRight, 170);
    RightLabel(this, QStringLiteral("앞으로 몇년 더 피우실 수 있습니까?"), promptRight, 190);
    edtYearGuess = AddEdit(QStringLiteral("00;_"), 186,
                           QStringLiteral("지금 못 끊는다면, 앞으로 몇년 더 피우실 수 있습니까?"),
                           QStringLiteral("년"));
    Label(this, QStringLiteral("년"), unitLeft, 190);

    Bevel(this, 15, 356, 210);
    RightLabel(this, QStringLiteral("총 합계:"), 220, 220, bold13);
    labTotal = Label(this, QStringLiteral("0 원"), 225, 220, bold13);

    btnOK = Button(this, vxGradiColors1, QStringLiteral("저 장"), 215, 250, 75, 25);
    btnCancel = Button(this, vxGradiColors1, QStringLiteral("취 소"), 295, 250, 75, 25);
    connect(btnOK, &TvxGradiButton::clicked, this, &TfrmCalcDebt::btnOKClick);
    connect(btnCancel, &TvxGradiButton::clicked, this, &TfrmCalcDebt::btnCancelClick);

    setTabOrder(edtCount, edtPrice);
    setTabOrder(edtPrice, edtEtc);
    setTabOrder(edtEtc, edtYear);
    setTabOrder(edtYear, edtYearGuess);
    edtCount->setFocus();

    // Connected last, so building the edits does not count as a change.
    for (QLineEdit* edit : {edtCount, edtPrice, edtEtc, edtYear, edtYearGuess})
        connect(edit, &QLineEdit::textChanged, this, &TfrmCalcDebt::edtCountChange);
}

QLineEdit* TfrmCalcDebt::AddEdit(const QString& mask, int top, const QString& prompt,
                                 const QString& unit) {
    // Every position optional and digits only; an empty position shows "_".
    auto* edit = new TvxMaskEdit(mask, this);
    edit->setGeometry(227, top, 49, 20);
    // The prompt stands in labels of its own, which a screen reader does not
    // tie to the edit: the edit carries it, and its unit, itself.
    edit->setAccessibleName(prompt);
    edit->setAccessibleDescription(unit);
    m_units.insert(edit, unit);
    return edit;
}

void TfrmCalcDebt::SetFirstRunMode() {
    btnOK->move(btnCancel->x(), btnOK->y());
    btnOK->SetCaption(QStringLiteral("확 인"));
    btnCancel->hide();
}

bool TfrmCalcDebt::IsFirstRunMode() const {
    // The one sign of the mode; isHidden() holds also while the dialog itself
    // is not shown.
    return btnCancel->isHidden();
}

int32_t TfrmCalcDebt::Figure(const QLineEdit* edit) {
    // Unfilled positions read as blanks wherever they stand, so only the
    // digits count: "1_2" is 12, and an edit without digits is 0.
    int32_t value = 0;
    for (const QChar c : edit->text())
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            value = value * 10 + (c.unicode() - '0');
    return value;
}

int32_t TfrmCalcDebt::GetYearCost() const {
    const int64_t n = Figure(edtCount);
    const int64_t p = Figure(edtPrice);
    const int64_t e = Figure(edtEtc);
    // p × n × 365 / 20 is a whole number of quarters; round it to the
    // nearest integer, a half going to the even neighbour.
    const int64_t twentieths = p * n * 365;
    int64_t packs = twentieths / CigarettesPerPack;
    const int64_t rest2 = (twentieths % CigarettesPerPack) * 2;
    if (rest2 > CigarettesPerPack || (rest2 == CigarettesPerPack && (packs & 1) != 0))
        ++packs;
    return int32_t(packs + e * 12);
}

int32_t TfrmCalcDebt::GetDebt() const {
    // Multiplied in 32 bits: the figure the file has always held.
    return int32_t(uint32_t(Figure(edtYear)) * uint32_t(GetYearCost()));
}

void TfrmCalcDebt::edtCountChange() {
    const uint32_t yearCost = uint32_t(GetYearCost());
    const uint32_t sum = uint32_t(GetDebt());
    // The total can pass the signed 32-bit range; read unsigned it stays right.
    const uint32_t total = sum + uint32_t(Figure(edtYearGuess)) * yearCost;
    SetAutoSizeText(labSum, Won(sum));
    SetAutoSizeText(labTotal, Won(total));
    labMessage->clear();
    for (auto it = m_units.cbegin(); it != m_units.cend(); ++it)
        it.key()->setAccessibleDescription(it.value());
}

void TfrmCalcDebt::ShowCheck(const QString& message, QLineEdit* edit) {
    labMessage->setText(message);
    // The focus lands on the edit to correct, and a screen reader says what
    // is wrong with it there, since the message label is nowhere near it.
    edit->setAccessibleDescription(message);
    edit->setFocus();
}

void TfrmCalcDebt::btnOKClick() {
    const int32_t n = Figure(edtCount);
    const int32_t p = Figure(edtPrice);
    if (n == 0) {
        ShowCheck(QStringLiteral("담배 개비 수를 입력하여 주십시오."), edtCount);
        return;
    }
    if (p == 0) {
        ShowCheck(QStringLiteral("담배 값이 빠졌네요....^^"), edtPrice);
        return;
    }
    if (Figure(edtYear) == 0) {
        ShowCheck(QStringLiteral("에궁~ 흡연하신 년 수를 넣어 주십시오."), edtYear);
        return;
    }

    try {
        m_prj.WriteCostRecord(GetDebt(), SmokingDaySeconds / n, p / CigarettesPerPack);
    } catch (const EFileError& error) {
        // The dialog stays open with the user's figures, so a second try
        // needs no retyping.
        ShowFileError(this, error);
        return;
    }

    if (!IsFirstRunMode() && m_reloader)
        m_reloader->LoadState();
    SetModalResult(mrOk);
}

void TfrmCalcDebt::btnCancelClick() {
    Close();
}
