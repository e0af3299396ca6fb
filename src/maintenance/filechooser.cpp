#include "maintenance/filechooser.h"

#include <QDir>
#include <QFileDialog>

#include "app/global.h"

namespace {

FileChooser& Installed() {
    static FileChooser chooser;
    return chooser;
}

QString RunDialog(QWidget* parent, const FileDialogOptions& options) {
    QFileDialog dialog(parent, options.title);
    dialog.setAcceptMode(options.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(options.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(options.filters);
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.initialPath.isEmpty()) {
        QFileInfo initial(options.initialPath);
        dialog.setDirectory(initial.isDir() ? options.initialPath : initial.absolutePath());
        if (!initial.isDir())
            dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString ChooseFile(QWidget* parent, const FileDialogOptions& options) {
    if (Installed())
        return Installed()(parent, options);
    return RunDialog(parent, options);
}

FileChooser SetFileChooser(FileChooser chooser) {
    FileChooser previous = std::move(Installed());
    Installed() = std::move(chooser);
    return previous;
}

QString InitialDataPath(const CGlobal& g) {
    static bool firstTime = true;
    const bool first = firstTime;
    firstTime = false;
    if (QDir(g.userFolder).exists())
        return g.userFolder + QStringLiteral("name");
    return first ? g.baseFolder + u'/' : QString();
}
