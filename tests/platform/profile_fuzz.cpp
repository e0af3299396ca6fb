#include "profile_fuzz.h"

#include <QStringList>
#include <utility>
#include <vector>

#include "platform/profile_document.h"

namespace {

using platform::profile::Document;
using platform::profile::Entry;
using platform::profile::Section;

void Check(bool rule) {
    if (!rule)
        __builtin_trap();  // libFuzzer reports it with the input
}

using Values = std::vector<std::pair<QString, QString>>;  // "section\nkey" -> value

// What a reader finds for every key of the first sections, as GetProfileString would.
Values Readable(const Document& doc) {
    Values values;
    const QStringList names = doc.SectionNames();
    for (int i = 0; i < names.size() && i < 8; ++i)
        for (const Section* s : doc.FindSections(names[i]))
            for (std::size_t k = 0; k < s->entries.size() && k < 16; ++k) {
                const Entry* e = doc.Find(names[i], s->entries[k].key);
                Check(e != nullptr);
                values.emplace_back(names[i] + u'\n' + s->entries[k].key, e->value);
            }
    return values;
}

// A write followed by a fresh read of the written bytes, as WriteProfileString and the next
// GetProfileString do: the value is there and no other key lost or changed its value.
void CheckWrite(const Document& doc, const Values& before, const QString& section,
                const QString& key) {
    Document edited = doc;
    const QString value = QStringLiteral("v%1").arg(before.size());
    if (!edited.Set(section, key, value))
        return;
    const Document reread = Document::FromBytes(edited.ToBytes());
    const Entry* written = reread.Find(section, key);
    Check(written && written->value == value);
    for (const auto& [where, old] : before) {
        const qsizetype split = where.indexOf(u'\n');
        const QString s = where.left(split), k = where.mid(split + 1);
        if (platform::profile::Fold(s) == platform::profile::Fold(section) &&
            platform::profile::Fold(k) == platform::profile::Fold(key))
            continue;
        const Entry* e = reread.Find(s, k);
        Check(e && e->value == old);
    }
}

}  // namespace

int FuzzProfile(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Document doc = Document::FromBytes(bytes);
    const Values before = Readable(doc);
    const QStringList names = doc.SectionNames();
    const QString section = names.isEmpty() ? QStringLiteral("new") : names.front();
    const QString key =
        before.empty() ? QStringLiteral("key") : before.front().first.section(u'\n', 1);
    CheckWrite(doc, before, section, key);                      // an existing key changes
    CheckWrite(doc, before, section, QStringLiteral("added"));  // a new key in a section
    CheckWrite(doc, before, QStringLiteral("fresh"), QStringLiteral("added"));

    Document removed = doc;
    if (removed.RemoveKey(section, key))
        Readable(Document::FromBytes(removed.ToBytes()));  // a later duplicate may surface
    removed = doc;
    if (removed.RemoveSection(section))
        Check(Document::FromBytes(removed.ToBytes()).FindSections(section).empty());
    return 0;
}
