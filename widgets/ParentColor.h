#pragma once
// The colour a drawn button shows around its face (its rounded corners, the
// margin beside its picture): the parent's background, followed as that
// changes, until the button is given a colour of its own.

#include <QColor>

class QWidget;

class TvxParentColor {
public:
    // The colour in effect for the control.
    QColor Of(const QWidget* control) const;
    // An own colour; the parent's is no longer followed.
    void Set(const QColor& color);
    bool Follows() const { return m_follows; }
    // Turned off, the colour followed until now is kept. Answers whether
    // anything changed.
    bool SetFollows(bool on, const QWidget* control);

private:
    QColor m_color;
    bool m_follows = true;
};
