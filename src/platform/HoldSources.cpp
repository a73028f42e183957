#include "HoldSources.h"

void HoldSources::set(Source source, Reading reading)
{
    if (m_readings[index(source)] == reading)
        return;
    m_readings[index(source)] = reading;
    emit readingChanged(source);
}

void HoldSources::setBreakDue(bool due)
{
    if (m_breakDue == due)
        return;
    m_breakDue = due;
    emit breakDueChanged(due);
}
