#pragma once
// The relapse dialog: it consoles the user in a drawn picture and asks to
// confirm. "다시 시작할께" answers OK, "미안, 실은 장난이야" and the close box
// Cancel; the caller restarts the clock on OK.

#include "widgets/ModalDialog.h"

class TvxGradiButton;
class TvxGradiColors;
class TvxImage;
class TvxShape;

class TfrmSorry : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmSorry(QWidget* parent = nullptr);

    // The designed place and outer size of the window, frame included.
    static constexpr int DesignedLeft = 379;
    static constexpr int DesignedTop = 243;
    static constexpr int DesignedWidth = 474;
    static constexpr int DesignedHeight = 303;

    TvxShape* Shape1;
    TvxImage* img;
    TvxGradiButton* vxGradiButton1; // "다시 시작할께": OK
    TvxImage* imgMsgRetry;
    TvxGradiButton* vxGradiButton2; // "미안, 실은 장난이야": Cancel
    TvxImage* imgMsgCancel;
    TvxGradiColors* vxGradiColors1;

private:
    void FormCreate();
};
