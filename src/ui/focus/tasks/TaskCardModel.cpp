#include "TaskCardModel.h"

namespace TaskCardModel {

QString trimmedTitle(const QString &text)
{
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

EmptyState emptyState(bool showingDone)
{
    if (showingDone)
        return {QStringLiteral("checkmark.circle"), QStringLiteral("No completed tasks")};
    return {QStringLiteral("tray"), QStringLiteral("Add your first task")};
}

} // namespace TaskCardModel
