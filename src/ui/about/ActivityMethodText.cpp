#include "ActivityMethodText.h"

QString ActivityMethodText::line(const QString &methodName)
{
    if (methodName.isEmpty())
        return QStringLiteral("Activity cannot be seen in this session.");
    return QStringLiteral("Activity is seen through %1.").arg(methodName);
}
