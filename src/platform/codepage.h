#pragma once
// Code page 936 (GBK) text as stored in the dictionary file, through iconv.
#include <QByteArray>
#include <QString>

namespace platform {

// Undecodable bytes become U+FFFD; never fails.
QString Cp936ToUnicode(const QByteArray& bytes);

// Characters without a GBK form become '?'.
QByteArray UnicodeToCp936(const QString& text);

}  // namespace platform
