#include "widgets/Accessible.h"

#include "widgets/VxCBox.h"
#include "widgets/vxGag.h"
#include "widgets/vxGradiBtn.h"

#include <QAccessibleWidget>
#include <QKeySequence>
#include <QWidget>

#include <utility>

namespace {

const char* const kRoleProperty = "TvxAccessibleRole";

QString OwnName(const QWidget* widget, const QString& caption) {
    const QString set = widget->accessibleName();
    return set.isEmpty() ? Accessible::SpokenCaption(caption) : set;
}

// The gradient button paints itself on a plain widget, so Qt would call it
// an unnamed area. It is a push button named by its caption whose press
// action clicks it, as Space or a mouse click would.
class TvxGradiButtonAccessible : public QAccessibleWidget {
public:
    explicit TvxGradiButtonAccessible(TvxGradiButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    TvxGradiButton* Button() const { return static_cast<TvxGradiButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return OwnName(Button(), Button()->Caption());
        if (t == QAccessible::Accelerator)
            return QKeySequence::mnemonic(Button()->Caption()).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button()->VisualState() == TvxGradiState::Pressed;
        s.defaultButton = Button()->Default();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Button()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (Button()->isEnabled())
                Button()->AnimateClick();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction()) {
            const QString accel = text(QAccessible::Accelerator);
            return accel.isEmpty() ? QStringList() : QStringList{accel};
        }
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

// A gauge is a progress bar: its value, bounds and the share filled, which
// a screen reader reads as a percentage.
class TvxGaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TvxGaugeAccessible(TvxGauge* gauge)
        : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    TvxGauge* Gauge() const { return static_cast<TvxGauge*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return OwnName(Gauge(), Gauge()->Caption());
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(Gauge()->Percent());
        return QAccessibleWidget::text(t);
    }

    // The bar is set by the program only.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    QVariant currentValue() const override { return Gauge()->Value(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Gauge()->Max(); }
    QVariant minimumValue() const override { return Gauge()->Min(); }
    QVariant minimumStepSize() const override { return 1; }
};

// Panels group other controls; their caption, when they have one, names
// the group.
class TvxBoxAccessible : public QAccessibleWidget {
public:
    explicit TvxBoxAccessible(TvxBox* box) : QAccessibleWidget(box, QAccessible::Pane) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const auto* captioned = qobject_cast<const TvxCBox*>(widget());
            return OwnName(widget(), captioned ? captioned->Caption() : QString());
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* DrawnControlFactory(const QString& key, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    if (key == QLatin1String("TvxGradiButton"))
        return new TvxGradiButtonAccessible(static_cast<TvxGradiButton*>(widget));
    if (key == QLatin1String("TvxGauge"))
        return new TvxGaugeAccessible(static_cast<TvxGauge*>(widget));
    if (key == QLatin1String("TvxBox"))
        return new TvxBoxAccessible(static_cast<TvxBox*>(widget));
    return nullptr;
}

} // namespace

namespace Accessible {

namespace {
std::function<void(QAccessibleEvent&)>& testListener() {
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}
} // namespace

bool Listened() {
    return testListener() || QAccessible::isActive();
}

void Tell(QAccessibleEvent& event) {
    if (testListener())
        testListener()(event);
    else
        QAccessible::updateAccessibility(&event);
}

void SetListenerForTesting(std::function<void(QAccessibleEvent&)> listener) {
    testListener() = std::move(listener);
}

void Install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&DrawnControlFactory);
}

void SetRole(QWidget* widget, QAccessible::Role role) {
    Install();
    widget->setProperty(kRoleProperty, int(role));
}

QString SpokenCaption(const QString& caption) {
    // As drawn: the first "&" goes; the "|" of a two-line caption is a break.
    QString text = caption;
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        text.remove(amp, 1);
    text.replace(QLatin1Char('|'), QLatin1Char(' '));
    return text;
}

void DrawFocusMark(QImage& img, int left, int top, int right, int bottom) {
    if (right - left < 1 || bottom - top < 1)
        return;
    auto invert = [&img](int x, int y) {
        if (x < 0 || y < 0 || x >= img.width() || y >= img.height() || (x + y) % 2 != 0)
            return;
        auto* px = reinterpret_cast<QRgb*>(img.scanLine(y)) + x;
        *px ^= 0x00FFFFFFu;
    };
    for (int x = left; x < right; ++x) {
        invert(x, top);
        if (bottom - 1 != top)
            invert(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        invert(left, y);
        if (right - 1 != left)
            invert(right - 1, y);
    }
}

} // namespace Accessible

bool TvxKeyboardFocus::FocusIn(const QFocusEvent& event) {
    const bool was = m_on;
    switch (event.reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        m_on = true;
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // The focus comes back as it left: marked if the keyboard put it here.
        break;
    default:
        m_on = false;
        break;
    }
    return was != m_on;
}

bool TvxKeyboardFocus::FocusOut(const QFocusEvent& event) {
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason)
        return false;
    const bool was = m_on;
    m_on = false;
    return was;
}
