#pragma once
// The smoking-cost calculator: from the user's habits it shows what smoking
// has cost so far and what it will cost if the user goes on, and stores the
// figures from which the main window counts the cigarettes not smoked and
// the money saved.

#include "widgets/ModalDialog.h"

#include <QHash>
#include <cstdint>

class IStateReloader;
class QLabel;
class QLineEdit;
class TvxGradiButton;
class TvxGradiColors;
class TvxPrjInfo;

class TfrmCalcDebt : public TvxModalDialog {
    Q_OBJECT

public:
    // reloader is the main window, asked to rebuild its displays after a
    // save; nullptr when there is no main window yet.
    explicit TfrmCalcDebt(TvxPrjInfo& prj, IStateReloader* reloader = nullptr,
                          QWidget* parent = nullptr);

    // Before the main window exists: one button, "확 인", where the cancel
    // button stood, and no reload after a save.
    void SetFirstRunMode();
    bool IsFirstRunMode() const;

    // Smoking cost of one year, in won: packs at the entered price for a
    // year of 365 days (rounded half to even), plus twelve months of extras.
    int32_t GetYearCost() const;
    // Years smoked × the yearly cost, in 32 bits.
    int32_t GetDebt() const;

    // An edit's figure: its digits, 0 when it holds none.
    static int32_t Figure(const QLineEdit* edit);

    QLabel* imgIcon;
    QLineEdit* edtCount;     // cigarettes a day
    QLineEdit* edtPrice;     // price of a pack
    QLineEdit* edtEtc;       // other expenses a month
    QLineEdit* edtYear;      // years smoked
    QLineEdit* edtYearGuess; // further years if the user does not stop
    QLabel* labSum;
    QLabel* labMessage;
    QLabel* labTotal;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* btnOK;
    TvxGradiButton* btnCancel;

public slots:
    void edtCountChange();
    void btnOKClick();
    void btnCancelClick();

private:
    // A masked edit at the row's top, named for assistive technology by its
    // prompt and described by its unit.
    QLineEdit* AddEdit(const QString& mask, int top, const QString& prompt, const QString& unit);
    void ShowCheck(const QString& message, QLineEdit* edit);

    TvxPrjInfo& m_prj;
    IStateReloader* m_reloader;
    QHash<QLineEdit*, QString> m_units;
};
