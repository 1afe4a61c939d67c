#include "dialogs/ShowLog.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "runtime/TextFile.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QPlainTextEdit>

QPlainTextEdit* CreateTextViewer(QWidget* parent, const QRect& geometry) {
    auto* viewer = new QPlainTextEdit(parent);
    viewer->setGeometry(geometry);
    viewer->setFont(Look::BaseFont(12));
    viewer->setReadOnly(true);
    // Read-only, yet the text can still be selected and copied.
    viewer->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewer->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    viewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewer->setTabChangesFocus(true);
    return viewer;
}

TfrmShowLog::TfrmShowLog(const TvxPrjInfo& prj, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::Dialog) {
    setWindowTitle(QStringLiteral("이력 관리"));
    SetClientSize(565, 325);
    vxGradiColors1 = new TvxGradiColors(this);
    mem = CreateTextViewer(this, QRect(10, 5, 541, 281));
    mem->setAccessibleName(QStringLiteral("이력"));
    btnOK = DialogParts::Button(this, vxGradiColors1, QStringLiteral("확 인"), 480, 295, 75, 25);
    connect(btnOK, &TvxGradiButton::clicked, this, &TfrmShowLog::btnOKClick);
    FormCreate(prj);
    mem->setFocus();
}

void TfrmShowLog::FormCreate(const TvxPrjInfo& prj) {
    // Shown exactly as stored; a missing log is simply an empty viewer.
    mem->setPlainText(TextFile::readText(prj.LogFileName()));
}

void TfrmShowLog::btnOKClick() {
    Close();
}
