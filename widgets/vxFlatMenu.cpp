#include "widgets/vxFlatMenu.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {

// The white sheet with the icon column down its left, the column starting
// at columnLeft (inside the frame for the menu as a whole, at the left edge
// of an item's own rectangle).
void paintSheet(QPainter* p, const QRect& r, int columnLeft) {
    p->fillRect(r, TvxFlatMenuStyle::SheetColor());
    p->fillRect(QRect(columnLeft, r.top(), TvxFlatMenuStyle::IconColumn, r.height()),
                TvxFlatMenuStyle::ColumnColor());
}

// A tick drawn with two strokes, crisp at this size.
void paintCheck(QPainter* p, const QRect& column, const QColor& colour) {
    const QPointF c = QRectF(column).center();
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF pts[3] = {c + QPointF(-4, 0), c + QPointF(-1.2, 3), c + QPointF(4, -3.5)};
    p->drawPolyline(pts, 3);
    p->restore();
}

} // namespace

TvxFlatMenuStyle::TvxFlatMenuStyle() = default;

void TvxFlatMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenu:
        paintSheet(painter, option->rect, option->rect.left() + FrameWidth);
        return;
    case PE_FrameMenu:
        painter->save();
        painter->setPen(FrameColor());
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void TvxFlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuEmptyArea) {
        paintSheet(painter, option->rect, option->rect.left() + FrameWidth);
        return;
    }
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }

    const QRect r = item->rect;
    const QRect column(r.left(), r.top(), IconColumn, r.height());
    painter->save();
    paintSheet(painter, r, r.left());

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const int y = r.top() + r.height() / 2;
        painter->setPen(SeparatorColor());
        painter->drawLine(r.left() + IconColumn + TextGap - 2, y, r.right() - 2, y);
        painter->restore();
        return;
    }

    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    const QPalette::ColorGroup group = enabled ? QPalette::Normal : QPalette::Disabled;
    if (selected)
        painter->fillRect(r, item->palette.brush(QPalette::Active, QPalette::Highlight));

    const QColor textColour = selected
                                  ? item->palette.color(QPalette::Active, QPalette::HighlightedText)
                                  : item->palette.color(group, QPalette::Text);

    if (!item->icon.isNull()) {
        const QIcon::Mode mode = !enabled ? QIcon::Disabled : QIcon::Normal;
        const QPixmap pm = item->icon.pixmap(QSize(16, 16), painter->device()->devicePixelRatio(),
                                             mode, QIcon::Off);
        const QRect target(column.left() + (IconColumn - 16) / 2,
                           column.top() + (column.height() - 16) / 2, 16, 16);
        painter->drawPixmap(target, pm);
    } else if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
        paintCheck(painter, column, textColour);
    }

    QString text = item->text;
    QString shortcut;
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0) {
        shortcut = text.mid(tab + 1);
        text.truncate(tab);
    }
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |=
        styleHint(SH_UnderlineShortcut, item, widget) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    painter->setFont(item->font);
    painter->setPen(textColour);
    const QRect textRect = r.adjusted(IconColumn + TextGap, 0, -TextGap, 0);
    painter->drawText(textRect, flags | Qt::AlignLeft, text);
    if (!shortcut.isEmpty())
        painter->drawText(textRect, flags | Qt::AlignRight, shortcut);
    painter->restore();
}

QSize TvxFlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(IconColumn + 2 * TextGap, SeparatorHeight);
    const QFontMetrics fm(item->font);
    QString text = item->text;
    int extra = 0;
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0) {
        extra = fm.horizontalAdvance(text.mid(tab + 1)) + 3 * TextGap;
        text.truncate(tab);
    }
    const int textWidth = fm.horizontalAdvance(QString(text).remove(u'&'));
    return QSize(IconColumn + TextGap + textWidth + extra + 3 * TextGap, ItemHeight);
}

int TvxFlatMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return FrameWidth;
    case PM_MenuHMargin:
        return 0;
    case PM_MenuVMargin:
        return 1;
    case PM_MenuDesktopFrameWidth:
        return 0;
    case PM_SmallIconSize:
        return 16;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int TvxFlatMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_Menu_FlashTriggeredItem:
    case SH_Menu_FadeOutOnHide:
        return 0;
    case SH_UnderlineShortcut:
        // The letters in brackets are the keys: always show which ones.
        return 1;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
