#include "platform/profile.h"

#include <sys/stat.h>

#include <QFile>
#include <QSaveFile>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/profile_document.h"

namespace platform {
namespace {

using profile::Document;
using DocPtr = std::shared_ptr<const Document>;

// Which version of a file a parsed copy belongs to. Writes replace the file by rename, so the
// inode changes too; mtime in nanoseconds catches edits in place.
struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    bool operator==(const FileId& o) const {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

FileId IdOf(const struct stat& st) {
    return FileId{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

// File times tick with the kernel's coarse clock, so a file changed again within the same tick
// keeps its mtime. A file modified less than this long before it was read is not cached.
constexpr long long kSettleNs = 100'000'000;

bool Settled(const struct stat& st) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const long long age =
        (now.tv_sec - st.st_mtim.tv_sec) * 1'000'000'000LL + (now.tv_nsec - st.st_mtim.tv_nsec);
    return age > kSettleNs;
}

// Parsed files, shared by every thread that reads settings (pages read one key per row).
struct Cache {
    std::mutex mutex;
    std::unordered_map<QString, std::pair<FileId, DocPtr>> files;
    static constexpr size_t kMaxFiles = 128;
};

Cache& TheCache() {
    static Cache* cache = new Cache;  // used by static objects' destructors
    return *cache;
}

// Serialises read-modify-write cycles so two writers in this process never lose an update.
std::mutex& WriteMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

DocPtr EmptyDocument() {
    static const DocPtr* empty =
        new DocPtr(std::make_shared<const Document>());  // outlives statics
    return *empty;
}

DocPtr Load(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return EmptyDocument();
    Cache& cache = TheCache();
    {
        std::lock_guard lock(cache.mutex);
        auto it = cache.files.find(path);
        if (it != cache.files.end() && it->second.first == IdOf(st))
            return it->second.second;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return EmptyDocument();
    if (::fstat(file.handle(), &st) != 0)
        return EmptyDocument();
    auto doc = std::make_shared<const Document>(Document::FromBytes(file.readAll()));
    std::lock_guard lock(cache.mutex);
    if (!Settled(st)) {
        cache.files.erase(path);
        return doc;
    }
    if (cache.files.size() >= Cache::kMaxFiles)
        cache.files.clear();
    cache.files[path] = {IdOf(st), doc};
    return doc;
}

void Forget(const QString& path) {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    cache.files.erase(path);
}

// Writes through a temporary file and a rename: a crash leaves the old or the new file.
bool Store(const QString& path, const Document& doc) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = doc.ToBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    const bool ok = file.commit();
    Forget(path);
    return ok;
}

QString CutToBuffer(const QString& text, int bufferSize) {
    if (bufferSize <= 0)
        return QString();
    if (text.size() < bufferSize)
        return text;
    QString cut = text.left(bufferSize - 1);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);  // never half a character
    return cut;
}

}  // namespace

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& def, int bufferSize) {
    DocPtr doc = Load(path);
    const profile::Entry* e = doc->Find(section, key);
    return CutToBuffer(e ? e->value : def, bufferSize);
}

int GetProfileInt(const QString& path, const QString& section, const QString& key, int def) {
    DocPtr doc = Load(path);
    const profile::Entry* e = doc->Find(section, key);
    if (!e || e->value.isEmpty())
        return def;
    const QByteArray text = e->value.toLatin1();
    const long n = std::strtol(text.constData(), nullptr, 10);
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return int(n);
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    {
        // Unchanged values are not rewritten (pages store many keys that did not change).
        DocPtr doc = Load(path);
        const profile::Entry* e = doc->Find(section, key);
        if (e && e->value == value)
            return true;
    }
    std::lock_guard lock(WriteMutex());
    Document doc = *Load(path);
    if (!doc.Set(section, key, value))
        return false;
    return Store(path, doc);
}

bool DeleteProfileKey(const QString& path, const QString& section, const QString& key) {
    std::lock_guard lock(WriteMutex());
    Document doc = *Load(path);
    if (!doc.RemoveKey(section, key))
        return true;  // nothing to remove
    return Store(path, doc);
}

bool DeleteProfileSection(const QString& path, const QString& section) {
    std::lock_guard lock(WriteMutex());
    Document doc = *Load(path);
    if (!doc.RemoveSection(section))
        return true;
    return Store(path, doc);
}

std::vector<std::pair<QString, QString>> GetProfileSection(const QString& path,
                                                           const QString& section) {
    DocPtr doc = Load(path);
    std::vector<std::pair<QString, QString>> out;
    for (const profile::Section* s : doc->FindSections(section))
        for (const profile::Entry& e : s->entries) out.emplace_back(e.key, e.value);
    return out;
}

QStringList GetProfileSectionNames(const QString& path) {
    return Load(path)->SectionNames();
}

}  // namespace platform
