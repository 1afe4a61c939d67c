#pragma once
// What stopping smoking does to the body, from twenty minutes to ten years:
// a fixed text to read.

#include "widgets/ModalDialog.h"

#include <QStringList>

class QPlainTextEdit;
class TvxGradiButton;
class TvxGradiColors;

class TfrmNonEffect : public TvxModalDialog {
    Q_OBJECT

public:
    explicit TfrmNonEffect(QWidget* parent = nullptr);

    // The text, one entry per line.
    static QStringList Lines();

    QPlainTextEdit* RichEdit1;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* vxGradiButton1;

public slots:
    void btnCancelClick();
};
