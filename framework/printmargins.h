#pragma once

#include <QString>

class TQXReport;

// Page margins stored per report name in SYS_PRINT_TABLE (millimetres).

// Sets each of the report's margins whose stored value lies strictly between 0 and 20;
// other values, and a report without a stored row, leave the designed margins. A database
// failure passes on.
void ApplyStoredMargins(TQXReport &report);

// Updates the report's row, or inserts one when there is none. False when a statement
// fails.
bool StorePrintMargins(const QString &reportName, qreal top, qreal bottom, qreal left, qreal right);
