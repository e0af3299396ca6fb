#include "platform/profile_document.h"

#include <QStringDecoder>

#include "platform/codepage.h"

namespace platform::profile {
namespace {

// Without a byte-order mark, UTF-16LE shows as zero bytes at odd positions (ASCII names,
// brackets and '=' of any settings file); UTF-8 text never holds zero bytes.
bool LooksLikeUtf16Le(const QByteArray& bytes) {
    const qsizetype probe = std::min<qsizetype>(bytes.size(), 1024) & ~qsizetype(1);
    const qsizetype pairs = probe / 2;
    if (pairs == 0)
        return false;
    qsizetype oddZeros = 0, evenZeros = 0;
    for (qsizetype i = 0; i < probe; i += 2) {
        if (bytes[i] == 0)
            ++evenZeros;
        if (bytes[i + 1] == 0)
            ++oddZeros;
    }
    return oddZeros * 4 >= pairs && evenZeros * 4 < oddZeros;
}

// UTF-16 decoding passes unpaired surrogates through; they have no UTF-8 form, so a file
// written back would hold other text than was read. They read as U+FFFD, as broken UTF-8 does.
QString WithoutLoneSurrogates(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

QString Decode(const QByteArray& bytes) {
    auto utf16 = [&](qsizetype from, QStringDecoder::Encoding enc) {
        QStringDecoder decoder(enc, QStringDecoder::Flag::Stateless);
        return WithoutLoneSurrogates(decoder(QByteArrayView(bytes).sliced(from)));
    };
    if (bytes.startsWith("\xFF\xFE"))
        return utf16(2, QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16(2, QStringDecoder::Utf16BE);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return utf16(3, QStringDecoder::Utf8);
    if (LooksLikeUtf16Le(bytes))
        return utf16(0, QStringDecoder::Utf16LE);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return Cp936ToUnicode(bytes);  // files written by the Windows program in its ANSI code page
}

QString Unquote(const QString& value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == u'"' || value.front() == u'\''))
        return value.mid(1, value.size() - 2);
    return value;
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

bool ValidSectionName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u']') && !HasLineBreak(name);
}

bool ValidKeyName(const QString& key) {
    const QString k = key.trimmed();
    return !k.isEmpty() && !k.contains(u'=') && !HasLineBreak(k) && !k.startsWith(u'[') &&
           !k.startsWith(u';');
}

}  // namespace

QString Fold(const QString& name) {
    return name.trimmed().toCaseFolded();
}

Document Document::FromBytes(const QByteArray& bytes) {
    Document doc;
    const QString text = Decode(bytes);
    doc.crlf_ = text.contains(QStringLiteral("\r\n"));
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        doc.lines_.push_back(line.toString());
    }
    if (!doc.lines_.empty() && doc.lines_.back().isEmpty())
        doc.lines_.pop_back();
    doc.Reindex();
    return doc;
}

QByteArray Document::ToBytes() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    QByteArray out;
    for (const QString& line : lines_) {
        out += line.toUtf8();
        out += eol;
    }
    // NUL characters (read from a damaged file) can make UTF-8 pass for UTF-16 on the next
    // read, which would turn every line into other text: the byte-order mark keeps it UTF-8.
    if (LooksLikeUtf16Le(out))
        out.prepend("\xEF\xBB\xBF");
    return out;
}

void Document::Reindex() {
    sections_.assign(1, Section{});
    sectionIndex_.clear();
    for (int i = 0; i < int(lines_.size()); ++i) {
        const QString t = lines_[i].trimmed();
        if (t.isEmpty())
            continue;
        if (t.startsWith(u'[')) {
            qsizetype close = t.indexOf(u']');
            Section s;
            s.name = t.mid(1, close < 0 ? -1 : close - 1).trimmed();
            s.headerLine = s.lastLine = i;
            sectionIndex_[Fold(s.name)].push_back(int(sections_.size()));
            sections_.push_back(std::move(s));
            continue;
        }
        Section& s = sections_.back();
        s.lastLine = i;
        qsizetype eq = t.indexOf(u'=');
        if (t.startsWith(u';') || eq <= 0)
            continue;
        Entry e{t.left(eq).trimmed(), Unquote(t.mid(eq + 1).trimmed()), i};
        const QString folded = Fold(e.key);
        if (!s.keyIndex.contains(folded))
            s.keyIndex.insert(folded, int(s.entries.size()));
        s.entries.push_back(std::move(e));
    }
}

std::vector<const Section*> Document::FindSections(const QString& section) const {
    std::vector<const Section*> found;
    auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd())
        return found;
    for (int i : *it) found.push_back(&sections_[i]);
    return found;
}

const Entry* Document::Find(const QString& section, const QString& key) const {
    const QString folded = Fold(key);
    for (const Section* s : FindSections(section)) {
        auto it = s->keyIndex.constFind(folded);
        if (it != s->keyIndex.constEnd())
            return &s->entries[*it];
    }
    return nullptr;
}

QStringList Document::SectionNames() const {
    QStringList names;
    for (size_t i = 1; i < sections_.size(); ++i) names.append(sections_[i].name);
    return names;
}

bool Document::Set(const QString& section, const QString& key, const QString& value) {
    if (!ValidSectionName(section) || !ValidKeyName(key))
        return false;
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    if (const Entry* e = Find(section, key)) {
        lines_[e->line] = e->key + u'=' + clean;
    } else {
        const QString line = key.trimmed() + u'=' + clean;
        std::vector<const Section*> found = FindSections(section);
        if (!found.empty()) {
            lines_.insert(lines_.begin() + found.front()->lastLine + 1, line);
        } else {
            lines_.push_back(u'[' + section.trimmed() + u']');
            lines_.push_back(line);
        }
    }
    Reindex();
    return true;
}

bool Document::RemoveKey(const QString& section, const QString& key) {
    const Entry* e = Find(section, key);
    if (!e)
        return false;
    lines_.erase(lines_.begin() + e->line);
    Reindex();
    return true;
}

bool Document::RemoveSection(const QString& section) {
    std::vector<const Section*> found = FindSections(section);
    if (found.empty())
        return false;
    // Remove from the back so earlier line numbers stay valid; a section runs to the next header.
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        int first = (*it)->headerLine;
        int end = first + 1;
        while (end < int(lines_.size()) && !lines_[end].trimmed().startsWith(u'[')) ++end;
        lines_.erase(lines_.begin() + first, lines_.begin() + end);
    }
    Reindex();
    return true;
}

}  // namespace platform::profile
