#pragma once

#include <QString>

// Whether a desktop session is there to show windows on. Answers the reason when there is none.
QString missingGraphicalSessionReason();
