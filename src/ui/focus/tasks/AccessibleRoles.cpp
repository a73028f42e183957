#include "AccessibleRoles.h"

#include "FilterTab.h"

#include <QAccessibleWidget>

namespace {

class RoleAccessible final : public QAccessibleWidget {
public:
    RoleAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto *tab = qobject_cast<const FilterTab *>(widget()))
                return tab->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto *tab = qobject_cast<const FilterTab *>(widget())) {
            state.selectable = true;
            state.selected = tab->isSelected();
        }
        return state;
    }
};

QAccessibleInterface *roleFor(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("FilterTab"))
        return new RoleAccessible(widget, QAccessible::PageTab);
    return nullptr;
}

} // namespace

namespace AccessibleRoles {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    (void)installed;
}

} // namespace AccessibleRoles
