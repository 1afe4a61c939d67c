#include "dialogs/PledgeView.h"

#include "core/ProjectInfo.h"
#include "dialogs/DialogParts.h"
#include "resources/Pictures.h"
#include "widgets/vxGradiClrs.h"

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
    imgIcon = Icon(this, PledgeIcon(), 8, 8);
    Label1 = Label(this, QStringLiteral("금연하시기로 굳게 결심하셨습니다."), 46, 9);
    Label2 = Label(this, line2, 46, 27);

    memToMe = new QPlainTextEdit(this);
    memToMe->setGeometry(5, 45, memoWidth, 221);
    // Tab leaves the edit like in any other field: the pledge is prose.
    memToMe->setTabChangesFocus(true);
    memToMe->setFocus();

    FormCreate();
}

void TvxPledgeView::FormCreate() {
    memToMe->setPlainText(m_prj.ReadPledge());
}
