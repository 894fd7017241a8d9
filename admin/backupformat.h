#pragma once

#include <QByteArray>
#include <QString>

// Constants and names of the backup archive format shared by its writer and reader.
// All integers are 32-bit little-endian; texts are a 32-bit length followed by UTF-8 bytes.
namespace BackupFormat {

// The four bytes that open every segment.
inline const QByteArray Signature = QByteArrayLiteral("EC2\0");
// Name of the entry holding the list of archived files.
inline const QString FileListName = QStringLiteral("FILE:LIST");
// Names of the form NEXT:DISK + three digits end a volume.
inline const QString NextDiskName = QStringLiteral("NEXT:DISK");

// Longest title or name accepted; keeps a damaged length from asking for huge memory.
constexpr int MaxTextLength = 65536;
// A volume takes no further chunk once it has reached its size limit less this reserve,
// which holds the largest chunk record, the end of the segment and the NEXT:DISK entry.
constexpr qint64 VolumeReserve = 16484;
// The size limit of floppy volumes.
constexpr qint64 FloppyVolumeSize = 1400000;
// Volume numbers have three digits; volume 1 carries the archive's own name.
constexpr int LastVolume = 999;

// "002" for volume 2.
QString volumeSuffix(int number);
// The archive's name with its extension (from the last dot of the file name) replaced by
// the volume suffix, or the suffix appended when the name has no extension.
QString volumeFileName(const QString &archive, int number);

} // namespace BackupFormat
