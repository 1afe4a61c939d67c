#include "core/Constants.h"

const std::array<QString, GradeCount> GradeNames = {
    QStringLiteral("천민"),   QStringLiteral("평민"),   QStringLiteral("병사"),
    QStringLiteral("기사"),   QStringLiteral("기사장"), QStringLiteral("장군"),
    QStringLiteral("상장군"), QStringLiteral("대장군"), QStringLiteral("귀족"),
    QStringLiteral("남작"),   QStringLiteral("자작"),   QStringLiteral("백작"),
    QStringLiteral("후작"),   QStringLiteral("공작"),   QStringLiteral("왕족"),
    QStringLiteral("왕"),     QStringLiteral("대왕"),   QStringLiteral("황제"),
    QStringLiteral("신")};

const std::array<QString, GradeCount + 1> GradeLabels = {
    QStringLiteral("시작"),  QStringLiteral("하루"),  QStringLiteral("3일"),
    QStringLiteral("7일"),   QStringLiteral("10일"),  QStringLiteral("14일"),
    QStringLiteral("18일"),  QStringLiteral("23일"),  QStringLiteral("한달"),
    QStringLiteral("42일"),  QStringLiteral("56일"),  QStringLiteral("70일"),
    QStringLiteral("84일"),  QStringLiteral("100일"), QStringLiteral("넉달"),
    QStringLiteral("6개월"), QStringLiteral("1년"),   QStringLiteral("5년"),
    QStringLiteral("10년"),  QStringLiteral("100년")};

const std::array<QString, EffectCount> EffectTitles = {
    QStringLiteral("혈압,맥박,체온 정상"), QStringLiteral("혈중 산소량 정상"),
    QStringLiteral("심장마비 위험 감소"),  QStringLiteral("말초신경,후/미각 회복"),
    QStringLiteral("호흡 양호"),           QStringLiteral("순환기능, 폐기능 양호"),
    QStringLiteral("폐가 깨끗,체력 상승"), QStringLiteral("폐암 사망 확률 감소"),
    QStringLiteral("1000세 건강")};

const std::array<QString, EffectCount> EffectTexts = {
    QStringLiteral("혈압과 맥박이 정상으로\r돌아오고 손발부터 정상\r체온으로 올라갑니다(20분)"),
    QStringLiteral(
        "혈중 카본모노싸이드의\r수치가 떨어지고\r혈중 산소량이 정상치로\r올라갑니다(8시간)"),
    QStringLiteral("심장마비 위험의 공포에서\r\r벗어납니다(12시간)"),
    QStringLiteral("말초신경이 되살아 나기\r시작하며, 맛과 냄새를\r더 잘 알아 봅니다(48시간)"),
    QStringLiteral("기관지가 편안해져서\r\r호흡이 편해집니다(72시간)"),
    QStringLiteral("순환기능이 좋아져 산책\r하기가 좋아집니다.\r폐기능이 30% 증가합니다.\r(2주)"),
    QStringLiteral("기침,피로,숨가쁜 증상이\r사라지기 시작하고,그을렸던\r폐와 얼굴색이 "
                   "깨끗해지기\r시작합니다(9개월)"),
    QStringLiteral("폐암으로 죽는 확률이\r\r반으로 뚝 떨어집니다\r(5년)"),
    QStringLiteral("폐암사망확률이 10% 이하로\r10%이하로 뚝 떨어집니다.,\r이제 100세 건강을 "
                   "지켜\r나가십시오.     (10년)")};
