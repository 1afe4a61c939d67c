#include "dialogs/NonEffect.h"

#include "dialogs/DialogParts.h"
#include "dialogs/ShowLog.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QPlainTextEdit>

QStringList TfrmNonEffect::Lines() {
    return {
        QStringLiteral("금연 20 분 후"),
        QStringLiteral("   혈압과 맥박이 정상으로 돌아오고 손발부터 정상"),
        QStringLiteral("   체온으로 올라갑니다."),
        QString(),
        QStringLiteral("금연 8시간 후"),
        QStringLiteral("   혈중 카본모노싸이드의 수치가 떨어지고"),
        QStringLiteral("   혈중 산소량이 정상치로 올라갑니다."),
        QString(),
        QStringLiteral("금연 12시간 후"),
        QStringLiteral("   심장마비 위험의 공포에서 벗어납니다."),
        QString(),
        QStringLiteral("금연 48시간 후"),
        QStringLiteral("   말초신경이 되살아 나기 시작하며, 맛과 냄새를"),
        QStringLiteral("   더 잘 알아 봅니다."),
        QString(),
        QStringLiteral("금연 72시간 후"),
        QStringLiteral("   기관지가 편안해져서 호흡이 편해집니다."),
        QString(),
        QStringLiteral("금연 2주 후"),
        QStringLiteral("   순환기능이 좋아져 산책하기가 좋아집니다."),
        QStringLiteral("   폐기능이 30% 증가합니다."),
        QString(),
        QStringLiteral("금연 9개월 후"),
        QStringLiteral("   기침,피로,숨가쁜 증상이 사라지기 시작하고,"),
        QStringLiteral("   그을렸던 폐와 얼굴색이 깨끗해지기 시작합니다."),
        QString(),
        QStringLiteral("금연 5년 후"),
        QStringLiteral("   폐암으로 죽는 확률이 반으로 뚝 떨어집니다."),
        QString(),
        QStringLiteral("금연 10년 후"),
        QStringLiteral("   폐암사망확률이 10% 이하로 10%이하로 뚝 떨어집니다."),
        QStringLiteral("   이제 100세 건강을 지켜 나가십시요."),
    };
}

TfrmNonEffect::TfrmNonEffect(QWidget* parent) : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("금연 효과"));
    SetClientSize(563, 323);
    vxGradiColors1 = new TvxGradiColors(this);
    RichEdit1 = CreateTextViewer(this, QRect(10, 5, 541, 281));
    RichEdit1->setAccessibleName(QStringLiteral("금연 효과"));
    RichEdit1->setPlainText(Lines().join(QLatin1Char('\n')));
    vxGradiButton1 =
        DialogParts::Button(this, vxGradiColors1, QStringLiteral("확 인"), 465, 290, 85, 25);
    vxGradiButton1->SetModalResult(mrCancel);
    connect(vxGradiButton1, &TvxGradiButton::clicked, this, &TfrmNonEffect::btnCancelClick);
    RichEdit1->setFocus();
}

void TfrmNonEffect::btnCancelClick() {
    Close();
}
