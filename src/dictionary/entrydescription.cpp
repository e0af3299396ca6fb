#include "dictionary/entrydescription.h"

QString AttributeWords(const QString& attribute) {
    bool writable = attribute.contains('W');
    bool live = attribute.contains('L');
    if (!writable && !live)
        return QStringLiteral("only readable");
    QString words;
    if (writable)
        words += QStringLiteral("writeable  ");
    if (live)
        words += QStringLiteral("real-update");
    return words;
}

QString HelpWithLineBreaks(const QString& help) {
    QString text = help;
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    text.replace(QStringLiteral("。"), QStringLiteral("。\r\n"));
    return text;
}

QString DescribeEntry(const CSdoInfo& entry) {
    return QStringLiteral("\r\n\r\nIndex: 0x") +
           QString::asprintf("%04x", entry.index & 0xFFFF).toUpper() +
           QStringLiteral("\r\nSub Index: 0x") +
           QString::asprintf("%02x", entry.subIndex).toUpper() + QStringLiteral("\r\nName: ") +
           entry.name + QStringLiteral("\r\nData Type: ") + entry.dataType +
           QStringLiteral("\r\nAttribute: ") + AttributeWords(entry.attribute) +
           QStringLiteral("\r\nOperator Help:\r\n") + HelpWithLineBreaks(entry.help);
}
