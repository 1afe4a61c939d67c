// The seconds counter as a screen reader reads it: the count as shown, with
// its unit. The text is made when asked for, so a counter that changes every
// second sends no stream of announcements.

#include "mainwindow/main.h"

#include <QAccessibleWidget>

namespace {

class TCounterAccessible : public QAccessibleWidget {
public:
    explicit TCounterAccessible(TvxCounterImage* counter)
        : QAccessibleWidget(counter, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* counter = static_cast<const TvxCounterImage*>(widget());
        return FormatThousands(counter->Count()) + QStringLiteral(" 초");
    }
};

QAccessibleInterface* counterFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TvxCounterImage") && object && object->isWidgetType())
        return new TCounterAccessible(static_cast<TvxCounterImage*>(object));
    return nullptr;
}

} // namespace

void InstallCounterAccessibility() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(counterFactory);
        installed = true;
    }
}
