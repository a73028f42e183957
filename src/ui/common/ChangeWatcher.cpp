#include "ChangeWatcher.h"

#include <QMetaMethod>

#include <algorithm>

ChangeWatcher::ChangeWatcher(std::function<void()> onChange, QObject *parent)
    : QObject(parent),
      m_onChange(std::move(onChange))
{}

void ChangeWatcher::watch(QObject *source, std::initializer_list<QByteArray> signalNames)
{
    const QMetaObject *meta = source->metaObject();
    const QMetaMethod slot = staticMetaObject.method(staticMetaObject.indexOfSlot("sourceChanged()"));
    // QObject's own signals (destroyed, objectNameChanged) say nothing about the manager's state.
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Signal)
            continue;
        if (signalNames.size() > 0 &&
            std::find(signalNames.begin(), signalNames.end(), method.name()) == signalNames.end())
            continue;
        connect(source, method, this, slot);
    }
}

void ChangeWatcher::sourceChanged()
{
    if (m_onChange)
        m_onChange();
}
