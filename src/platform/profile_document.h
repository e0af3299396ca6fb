#pragma once
// The parsed form of one profile file: its lines as they are, plus an index of sections and
// keys. Lookups compare names case-insensitively; edits change lines and re-index.
#include <QHash>
#include <QString>
#include <vector>

namespace platform::profile {

struct Entry {
    QString key;    // as spelled in the file
    QString value;  // trimmed, one pair of surrounding quotes removed
    int line = 0;
};

struct Section {
    QString name;
    int headerLine = -1;  // -1 for the lines before the first section
    std::vector<Entry> entries;
    QHash<QString, int> keyIndex;  // folded key -> first entry
    int lastLine = -1;             // last line of the section that is not blank
};

class Document {
public:
    // Decodes UTF-8, UTF-16LE (with or without byte-order mark) or, failing UTF-8, code page 936.
    static Document FromBytes(const QByteArray& bytes);
    QByteArray ToBytes() const;  // UTF-8

    // The value of the first matching key of the first matching section that has it.
    const Entry* Find(const QString& section, const QString& key) const;
    // All sections with this name, in file order.
    std::vector<const Section*> FindSections(const QString& section) const;
    QStringList SectionNames() const;

    // Edits; false when the names cannot be stored (they would break the file's structure).
    bool Set(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

private:
    void Reindex();
    std::vector<QString> lines_;
    std::vector<Section> sections_;  // sections_[0] holds the lines before any header
    QHash<QString, std::vector<int>> sectionIndex_;
    bool crlf_ = false;
};

QString Fold(const QString& name);

}  // namespace platform::profile
