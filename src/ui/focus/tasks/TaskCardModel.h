#pragma once

#include <QString>

// The small decisions of the focus board's task card.
namespace TaskCardModel {

// The new-task field's title: spaces and tabs trimmed from both ends, line breaks kept.
// Empty means there is nothing to add.
QString trimmedTitle(const QString &text);

struct EmptyState {
    QString symbol;
    QString text;
};
EmptyState emptyState(bool showingDone);

} // namespace TaskCardModel
