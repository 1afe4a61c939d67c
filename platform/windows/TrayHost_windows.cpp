#include "platform/DesktopShell.h"

// The notification area is part of the Windows shell: it is there from the
// first moment of a session, and an icon made before Explorer restarts is
// shown again by Qt when it comes back.

TvxTrayHost::TvxTrayHost(QObject* parent) : QObject(parent) {}

void TvxTrayHost::AskWatcher() {}

void TvxTrayHost::SetStatusNotifierHost(bool) {}

void TvxTrayHost::PollXEmbed() {}

bool TvxTrayHost::XEmbedTray() const {
    return false;
}

bool TvxTrayHost::MayMakeIcon() const {
    return true;
}

void TvxTrayHost::IconMade() {
    m_iconMade = true;
}

bool TvxTrayHost::IconShown() const {
    return m_iconMade;
}
