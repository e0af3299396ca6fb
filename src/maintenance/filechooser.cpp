#include "maintenance/filechooser.h"

#include <QDir>
#include <QFileDialog>

#include "app/global.h"

namespace {

FileChooser& Installed() {
    static FileChooser chooser;
    return chooser;
}

QString RunDialog(QWidget* parent, const FileDialogSpec& spec) {
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(spec.filters);
    if (!spec.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(spec.defaultSuffix);
    if (!spec.initialPath.isEmpty()) {
        QFileInfo initial(spec.initialPath);
        dialog.setDirectory(initial.isDir() ? spec.initialPath : initial.absolutePath());
        if (!initial.isDir())
            dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString ChooseFile(QWidget* parent, const FileDialogSpec& spec) {
    if (Installed())
        return Installed()(parent, spec);
    return RunDialog(parent, spec);
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
