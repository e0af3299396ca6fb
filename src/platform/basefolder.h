#pragma once
// Which folder the programs run from. Started from a base folder (one holding data/velto.dat)
// they stay there. An installed program started anywhere else runs from the user's own base
// folder, filled from the installed files: the one case where the base folder is not the
// current directory.
#include <QString>

namespace platform {

// The files of an installed program, each tree laid out like a base folder:
// <prefix>/share/veltoservo (read-only data, linked), <prefix>/lib/veltoservo (modules,
// linked) and <prefix>/share/veltoservo/defaults (settings and page lists, copied).
struct InstalledTree {
    QString dataRoot;
    QString moduleRoot;
    QString defaultsRoot;
    bool IsValid() const { return !dataRoot.isEmpty(); }
};

// The tree an executable in <prefix>/bin belongs to; invalid when there is none (build tree).
InstalledTree FindInstalledTree(const QString& executableDir);

// True when `folder` holds data/velto.dat.
bool IsBaseFolder(const QString& folder);

// $XDG_DATA_HOME/veltoservo, or ~/.local/share/veltoservo when that is unset or relative.
QString UserBaseFolder();

// Folder of the running executable, symbolic links resolved.
QString ExecutableDir();

// Links the installed data files and modules into `base` (a link leading elsewhere is
// re-pointed, a file of the user's own is kept) and copies the defaults it lacks, so a
// folder seeded by an older version picks up what a newer one installs.
bool SeedBaseFolder(const InstalledTree& tree, const QString& base, QString& error);

struct BaseFolderChoice {
    QString folder;
    bool perUser = false;
    QString error;  // set when the per-user folder could not be prepared
};

// The current directory when it is a base folder or the program is not installed; the seeded
// per-user folder otherwise.
BaseFolderChoice ChooseBaseFolder(const QString& currentDir, const QString& executableDir,
                                  const QString& userBase);

// ChooseBaseFolder for the running process.
BaseFolderChoice ChooseStartFolder();

}  // namespace platform
