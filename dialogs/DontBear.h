#pragma once
// The last appeal of the craving flow, between the user and a relapse.
// "아냐 난 참을 수 있어!!" answers OK (the urge is beaten); "정말 미안해..T_T"
// and the close box answer Cancel, which leads to the relapse confirmation.

#include "widgets/ModalDialog.h"

class TvxGradiButton;
class TvxGradiColors;
class TvxImage;
class TvxShape;

class TfrmDontBear : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmDontBear(QWidget* parent = nullptr);

    TvxShape* Shape1;
    TvxImage* img;
    TvxGradiButton* vxGradiButton2; // "아냐 난 참을 수 있어!!": OK
    TvxImage* imgMsgCancel;
    TvxGradiButton* vxGradiButton1; // "정말 미안해..T_T": Cancel
    TvxImage* imgMsgRetry;
    TvxGradiColors* vxGradiColors1;

private:
    void FormCreate();
};
