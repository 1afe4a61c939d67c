#include "widgets/ParentColor.h"

#include <QWidget>

QColor TvxParentColor::Of(const QWidget* control) const {
    if (!m_follows)
        return m_color;
    if (const QWidget* p = control->parentWidget())
        return p->palette().color(p->backgroundRole());
    return control->palette().color(QPalette::Window);
}

void TvxParentColor::Set(const QColor& color) {
    m_color = color;
    m_follows = false;
}

bool TvxParentColor::SetFollows(bool on, const QWidget* control) {
    if (m_follows == on)
        return false;
    if (!on)
        m_color = Of(control);
    m_follows = on;
    return true;
}
