#include "dialogs/PledgeView.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "resources/Pictures.h"
#include "widgets/vxGradiClrs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

using namespace DialogParts;

TvxPledgeView::TvxPledgeView(TvxPrjInfo& prj, TvxFrame frame, int clientWidth, int clientHeight,
                             const QString& caption, const QString& line2, int memoWidth,
                             QWidget* parent)
    : TvxModalDialog(parent, frame), m_prj(prj) {
    setWindowTitle(caption);
    SetClientSize(clientWidth, clientHeight);
    vxGradiColors1 = new TvxGradiColors(this);
    imgIcon = Icon(this, PledgeIcon(), 8, 8, QStringLiteral("금연 서약"));
    Label1 = Label(this, QStringLiteral("금연하시기로 굳게 결심하셨습니다."), 46, 9);
    Label2 = Label(this, line2, 46, 27);

    memToMe = new QPlainTextEdit(this);
    memToMe->setGeometry(5, 45, memoWidth, 221);
    memToMe->setAccessibleName(QStringLiteral("서약서"));
    memToMe->setAccessibleDescription(line2);
    // Tab leaves the edit like in any other field: the pledge is prose.
    memToMe->setTabChangesFocus(true);
    memToMe->installEventFilter(this);
    memToMe->setFocus();

    FormCreate();
}

void TvxPledgeView::FormCreate() {
    memToMe->setPlainText(m_prj.ReadPledge());
}

bool TvxPledgeView::eventFilter(QObject* watched, QEvent* event) {
    // The edit lets Tab through as a character when no other control takes
    // the focus (the buttons are no tab stops), and a tab then landed in the
    // pledge file. Tab moves the focus where there is somewhere to go and is
    // otherwise swallowed; with Ctrl as well.
    if (watched == memToMe && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const bool back =
                key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    }
    return TvxModalDialog::eventFilter(watched, event);
}
