#pragma once
// The history log as it stands in its file: every relapse and promotion, in
// file order, read-only.

#include "widgets/ModalDialog.h"

class QPlainTextEdit;
class TvxGradiButton;
class TvxGradiColors;
class TvxPrjInfo;

class TfrmShowLog : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmShowLog(const TvxPrjInfo& prj, QWidget* parent = nullptr);

    QPlainTextEdit* mem;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* btnOK;

public slots:
    void btnOKClick();

private:
    void FormCreate(const TvxPrjInfo& prj);
};

// A read-only plain-text viewer in the base face, with a vertical scroll bar
// only: long lines wrap rather than scroll sideways.
QPlainTextEdit* CreateTextViewer(QWidget* parent, const QRect& geometry);
