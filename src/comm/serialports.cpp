#include "comm/serialports.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cstring>

namespace {

bool ProcessAlive(long pid) {
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A UUCP lock file holds the pid as ASCII text or as a binary int.
long LockFilePid(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QByteArray content = file.read(64);
    bool ok = false;
    long pid = content.trimmed().toLong(&ok);
    if (ok)
        return pid;
    if (content.size() == 4) {
        int binary = 0;
        std::memcpy(&binary, content.constData(), 4);
        return binary;
    }
    return 0;
}

QStringList Matching(const QString& folder, const QStringList& patterns) {
    QDir dir(folder);
    return dir.entryList(patterns, QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

// Natural order, so ttyUSB2 comes before ttyUSB10.
void SortNatural(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        int i = 0;
        while (i < a.size() && i < b.size() && !a[i].isDigit() && a[i] == b[i]) ++i;
        bool ok1 = false, ok2 = false;
        int n1 = a.mid(i).toInt(&ok1), n2 = b.mid(i).toInt(&ok2);
        if (ok1 && ok2 && a.left(i) == b.left(i))
            return n1 < n2;
        return a < b;
    });
}

}  // namespace

bool CSerialPorts::IsCharacterDevice(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool CSerialPorts::IsPresent(const QString& name) const {
    // On-board UART nodes exist for every possible port; a type of 0 means no UART behind it.
    if (!name.startsWith("ttyS"))
        return true;
    QFile type(sysTtyFolder + "/" + name + "/type");
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed().toInt() != 0;
}

QString CSerialPorts::LockHolder(const QString& name) const {
    for (const QString& folder : lockFolders) {
        long pid = LockFilePid(folder + "/LCK.." + name);
        if (pid != getpid() && ProcessAlive(pid))
            return QStringLiteral("pid %1").arg(pid);
    }
    return QString();
}

QString CSerialPorts::ProcessHolder(const QString& canonical) const {
    // Only the processes this user may inspect are seen; that is as far as Linux can tell.
    QDir proc(procFolder);
    const QString self = QString::number(getpid());
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid == self || pid.isEmpty() || !pid[0].isDigit())
            continue;
        QDir fds(procFolder + "/" + pid + "/fd");
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files)) {
            if (fd.symLinkTarget() == canonical)
                return QStringLiteral("pid %1").arg(pid);
        }
    }
    return QString();
}

QString CSerialPorts::HolderOf(const QString& path) const {
    QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return QString();
    QString holder = LockHolder(QFileInfo(canonical).fileName());
    // A pseudo-terminal's serving side always keeps it open: that is no other user.
    if (holder.isEmpty() && !canonical.startsWith("/dev/pts/"))
        holder = ProcessHolder(canonical);
    return holder;
}

std::vector<SerialPortEntry> CSerialPorts::List() const {
    QStringList paths;
    QString byId = devFolder + "/serial/by-id";
    for (const QString& name : Matching(byId, {"*"})) paths << byId + "/" + name;
    for (const char* pattern : {"ttyUSB*", "ttyACM*", "ttyS*"}) {
        QStringList names = Matching(devFolder, {QString::fromLatin1(pattern)});
        SortNatural(names);
        for (const QString& name : names)
            if (IsPresent(name))
                paths << devFolder + "/" + name;
    }
    QStringList sims = Matching(simulatorFolder, {"ttyVSIM*"});
    SortNatural(sims);
    for (const QString& name : sims) paths << simulatorFolder + "/" + name;
    std::vector<SerialPortEntry> entries;
    entries.reserve(paths.size());
    for (const QString& path : paths)
        if (isPortNode(path))
            entries.push_back({path, HolderOf(path)});
    return entries;
}
