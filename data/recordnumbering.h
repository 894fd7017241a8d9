#pragma once

#include "tinsertdata.h"
#include "tsqltype.h"

#include <QDateTime>
#include <QString>

// Record numbers generated when a record is added (the numbering kinds of TInsertData):
//   "T"  prefix + time stamp yymmddhhnnss + a sequence (see timeStampKey)
//   "C"  prefix + counter of Width digits (Width 0: unpadded)
//   "Y"  prefix + YYYY + counter of Width - 4 digits
//   "M"  prefix + YYYYMM + counter of Width - 6 digits
//   "D"  prefix + YYYYMMDD + counter of Width - 8 digits
// Counters continue from the highest stored number with the same prefix and date part.
class RecordNumbering
{
public:
    static constexpr int KeyLength = 16;      // record keys are text(16)
    static constexpr int StampLength = 12;    // yymmddhhnnss
    static constexpr int SequenceDigits = 3;

    // True for "T", "C", "Y", "M" and "D" (any case).
    static bool isNumberingKind(const QString &kind);

    // A kind "T" key: prefix + the time stamp of `now` + a 3-digit sequence (fewer digits
    // when the prefix leaves less room in 16 characters). Keys made by this process never
    // repeat: the sequence starts at a random value each second and counts on; when a
    // second's sequence is used up (or there is no room for one) the stamp moves on to the
    // next second. A clash with another machine is caught by the key constraint on save.
    static QString timeStampKey(const QString &prefix, const QDateTime &now);

    // The date part of a kind: "" for "C", YYYY, YYYYMM or YYYYMMDD.
    static QString fixedPart(const QString &kind, const QString &yyyymm, const QString &yyyymmdd);

    // The statement that reads the highest stored number. Under urSql_Server and urAccess it
    // is the MAX(SubString(...)) / MAX(MID(...)) text those dialects use. Under urStandard
    // it lists the candidate identifiers of full width in descending order over the
    // column's index (F BETWEEN 'PK000' AND 'PK999' ORDER BY F DESC), so it never scans the
    // table; the first candidate that is all digits after PK is the highest number.
    // Width 0 ("C" only) is a plain MAX(F).
    static QString maxStatement(const TInsertData &entry, const QString &table, TSqlType sqlType,
                                const QString &fixed);

    // Runs the maximum statement on the database and returns the next identifier. Raises
    // the engine's failure; returns an empty text when the counter has no room left.
    static QString generate(const QString &databaseName, const TInsertData &entry, const QString &table,
                            TSqlType sqlType, const QString &fixed);

    // The identifier that follows `stored`, the value the maximum statement gave (the full
    // identifier under urStandard, the counter part under the other dialects). Empty when
    // the counter would pass its width (urStandard).
    static QString nextIdentifier(const TInsertData &entry, TSqlType sqlType, const QString &fixed,
                                  const QString &stored);
};
