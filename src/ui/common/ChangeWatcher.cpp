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
    std::size_t named = 0;
    // QObject's own signals (destroyed, objectNameChanged) say nothing about the manager's state.
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Signal)
            continue;
        if (signalNames.size() > 0 &&
            std::find(signalNames.begin(), signalNames.end(), method.name()) == signalNames.end())
            continue;
        connect(source, method, this, slot);
        ++named;
    }
    // A name that matches no signal would leave a view silently stale: every construction of
    // the view stops here instead.
    if (signalNames.size() > 0 && named != signalNames.size())
        qFatal("ChangeWatcher: %s lacks a signal of those named", meta->className());
}

void ChangeWatcher::sourceChanged()
{
    if (m_onChange)
        m_onChange();
}
