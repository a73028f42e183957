#pragma once

#include "platform/MainLoop.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

// Subscribes to a published property: delivers its current value, then every newly
// assigned value that differs from the one before, each on the main loop after the work
// in progress, in the order the values were produced.
template <typename Value, typename Source, typename Signal, typename Receiver>
void subscribeDroppingRepeats(MainLoop &loop, Source *source, Signal changed, Value (Source::*read)() const,
                              Receiver *receiver, std::function<void(Value)> deliver)
{
    auto last = std::make_shared<std::optional<Value>>();
    auto produce = [&loop, source, read, last, guard = QPointer<Receiver>(receiver), deliver] {
        const Value value = (source->*read)();
        if (*last == value)
            return;
        *last = value;
        loop.post([guard, deliver, value] {
            if (guard)
                deliver(value);
        });
    };
    QObject::connect(source, changed, receiver, produce);
    produce();
}
