#pragma once
// The second step of the craving flow: an invitation to the community
// board. The first time the dialog becomes active in a showing it opens the
// home page in the browser; coming back from the browser does not open it
// again. OK means it helped; Cancel and the close box go on.

#include "widgets/ModalDialog.h"

class QLabel;
class TvxGradiButton;
class TvxGradiColors;
class TvxPrjInfo;

class TfrmWaitShowWeb : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmWaitShowWeb(TvxPrjInfo& prj, QWidget* parent = nullptr);

    QLabel* labTitle;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TvxGradiButton* vxGradiButton1; // "힘난다 ^^": OK
    TvxGradiButton* vxGradiButton2; // "흐이그흐~": Cancel
    TvxGradiColors* vxGradiColors1;

public slots:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TvxPrjInfo& m_prj;
    bool m_homePageOpened = false; // in the current showing
};
