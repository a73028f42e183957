#include "ChangeWatcher.h"

#include <QMetaProperty>

#include <set>

ChangeWatcher::ChangeWatcher(std::function<void()> onChange, QObject *parent)
    : QObject(parent),
      m_onChange(std::move(onChange))
{}

void ChangeWatcher::watch(QObject *source)
{
    const QMetaObject *meta = source->metaObject();
    const QMetaMethod slot = staticMetaObject.method(staticMetaObject.indexOfSlot("sourceChanged()"));
    std::set<int> connected;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.hasNotifySignal())
            continue;
        // Several properties often share one signal: connect it once.
        if (connected.insert(property.notifySignalIndex()).second)
            connect(source, property.notifySignal(), this, slot);
    }
}

void ChangeWatcher::sourceChanged()
{
    if (m_onChange)
        m_onChange();
}
