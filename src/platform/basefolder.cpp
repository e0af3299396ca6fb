#include "platform/basefolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

// Where the install rules put the trees, relative to the prefix.
const char kDataTree[] = "/share/veltoservo";
const char kModuleTree[] = "/lib/veltoservo";
const char kDefaultsTree[] = "/defaults";

bool MakeFolder(const QString& folder, QString& error) {
    if (QDir().mkpath(folder))
        return true;
    error = QStringLiteral("cannot create the folder %1").arg(folder);
    return false;
}

// A link of ours to another file (an older prefix, a removed file) is replaced; a real file
// in its place is the user's own and stays.
bool LinkInto(const QString& source, const QString& target, QString& error) {
    const QFileInfo info(target);
    if (info.isSymLink()) {
        if (info.symLinkTarget() == source)
            return true;
        QFile::remove(target);
    } else if (info.exists()) {
        return true;
    }
    if (!MakeFolder(info.absolutePath(), error))
        return false;
    QFile file(source);
    if (file.link(target))
        return true;
    error = QStringLiteral("cannot link %1 to %2: %3").arg(target, source, file.errorString());
    return false;
}

// Editable files are copied once; what the user changed is never overwritten.
bool CopyInto(const QString& source, const QString& target, QString& error) {
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink())
        return true;
    if (!MakeFolder(info.absolutePath(), error))
        return false;
    QFile file(source);
    if (!file.copy(target)) {
        error = QStringLiteral("cannot copy %1 to %2: %3").arg(source, target, file.errorString());
        return false;
    }
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

using PlaceFile = bool (*)(const QString& source, const QString& target, QString& error);

// Places every file under `root` at the same relative path under `base`, leaving out the
// subtree `skip` (absolute; empty for none).
bool PlaceTree(const QString& root, const QString& skip, const QString& base, PlaceFile place,
               QString& error) {
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return true;
    const QDir rootDir(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        if (!skip.isEmpty() && source.startsWith(skip + u'/'))
            continue;
        if (!place(source, base + u'/' + rootDir.relativeFilePath(source), error))
            return false;
    }
    return true;
}

}  // namespace

InstalledTree FindInstalledTree(const QString& executableDir) {
    InstalledTree tree;
    if (executableDir.isEmpty())
        return tree;
    const QString prefix = QDir::cleanPath(executableDir + QStringLiteral("/.."));
    const QString data = prefix + QLatin1String(kDataTree);
    if (!IsBaseFolder(data))
        return tree;
    tree.dataRoot = data;
    tree.moduleRoot = prefix + QLatin1String(kModuleTree);
    tree.defaultsRoot = data + QLatin1String(kDefaultsTree);
    return tree;
}

bool IsBaseFolder(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/data/velto.dat")).isFile();
}

QString UserBaseFolder() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/veltoservo"));
}

QString ExecutableDir() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

bool SeedBaseFolder(const InstalledTree& tree, const QString& base, QString& error) {
    return MakeFolder(base + QStringLiteral("/user"), error) &&
           PlaceTree(tree.dataRoot, tree.defaultsRoot, base, LinkInto, error) &&
           PlaceTree(tree.moduleRoot, QString(), base, LinkInto, error) &&
           PlaceTree(tree.defaultsRoot, QString(), base, CopyInto, error);
}

BaseFolderChoice ChooseBaseFolder(const QString& currentDir, const QString& executableDir,
                                  const QString& userBase) {
    BaseFolderChoice choice;
    choice.folder = currentDir;
    if (IsBaseFolder(currentDir))
        return choice;
    const InstalledTree tree = FindInstalledTree(executableDir);
    if (!tree.IsValid())
        return choice;
    choice.folder = userBase;
    choice.perUser = true;
    SeedBaseFolder(tree, userBase, choice.error);
    return choice;
}

BaseFolderChoice ChooseStartFolder() {
    return ChooseBaseFolder(QDir::currentPath(), ExecutableDir(), UserBaseFolder());
}

}  // namespace platform
