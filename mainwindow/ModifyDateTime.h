#pragma once
// The start-date correction: a month calendar and a time field for the quit
// moment. The window only holds the controls; the main window presets them,
// reads them back and stores the new moment (TfrmMain::ModifyStart).

#include "widgets/ModalDialog.h"

class QCalendarWidget;
class QFrame;
class QLabel;
class QTimeEdit;
class TvxGradiButton;
class TvxGradiColors;

class TfrmModifyDateTime : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmModifyDateTime(QWidget* parent = nullptr);

    QLabel* Label1;
    QFrame* Bevel1;
    QCalendarWidget* pckDate;
    QTimeEdit* pckTime;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* vxGradiButton1; // "수 정", OK
    TvxGradiButton* vxGradiButton2; // "취 소", Cancel
};
