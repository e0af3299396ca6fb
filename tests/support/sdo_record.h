#pragma once
// Builds records of the dictionary database file for tests: one fixed 8,606-byte record from
// its fields. Texts are stored in code page 936, NUL-padded and cut to their field size.
#include <QByteArray>
#include <QString>

QByteArray SdoRecord(const QString& indexHex, const QString& subHex, const QString& nameZh,
                     const QString& nameEn, const QString& type, const QString& access,
                     const QString& helpZh = QString(), const QString& helpEn = QString(),
                     const QString& unitDef = QString());

// Size of one record in the file.
inline constexpr int kSdoRecordSize = 8606;
