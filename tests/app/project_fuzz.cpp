#include "project_fuzz.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/projectfile.h"

namespace {

constexpr int kFirstPage = 2;
constexpr int kLastPage = 48;
const QString kPrefix = QStringLiteral("VeltoSero:");

void Check(bool rule) {
    if (!rule)
        __builtin_trap();  // libFuzzer reports it with the input
}

// The input as a file on disk. A file changed a moment ago is parsed anew on every lookup;
// dating it back (a distinct time per input) lets the profile cache keep one parse per input,
// as it does for a project that was saved earlier.
QString WriteProject(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    static long long serial = 0;
    const QString path = dir.path() + "/fuzz.zpj";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    ++serial;
    const timespec past{1'000'000'000 + serial / 1'000'000'000, serial % 1'000'000'000};
    const timespec times[2] = {past, past};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    return path;
}

}  // namespace

// What opening a project does: the placement of every page, and the rows each page that is
// created loads from it.
int FuzzProject(const std::uint8_t* data, std::size_t size) {
    const QString path = WriteProject(data, size);
    if (path.isEmpty())
        return 0;
    for (int page = kFirstPage; page <= kLastPage; ++page) {
        int x = 0, y = 0;
        ReadPagePlacement(path, kPrefix, page, x, y, 20);
        for (const ProjectRow& row : ReadPageList(path, kPrefix, page)) {
            Check(!row.key.isEmpty() && !row.key.contains(u','));
            Check(!row.unit.contains(u','));
        }
    }
    return 0;
}
