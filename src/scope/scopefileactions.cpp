#include "scope/scopefileactions.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QScreen>
#include <QWidget>

#include "app/global.h"
#include "platform/msgbox.h"
#include "scope/exportfiles.h"

namespace {

class QtScopeFileDialogs : public IScopeFileDialogs {
public:
    QString ChooseExport(QWidget* parent, const QString& initialName) override {
        QFileDialog dialog(parent, QStringLiteral("save data to file"), initialName,
                           QStringLiteral("File(*.csv);;File(*.txt);;File(*.bmp)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        // A name typed without extension takes the chosen filter's.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             dialog.setDefaultSuffix(filter.mid(filter.indexOf('.') + 1, 3));
                         });
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    QString ChooseImport(QWidget* parent, const QString& initialName) override {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Choose import to file"),
                                            initialName, QStringLiteral("File(*.txt)"));
    }
};

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

}  // namespace

std::unique_ptr<IScopeFileDialogs> MakeScopeFileDialogs() {
    return std::make_unique<QtScopeFileDialogs>();
}

CScopeFileActions::CScopeFileActions(CGlobal& g, IScopeRecordable& page)
    : g_(g), page_(page), dialogs_(MakeScopeFileDialogs()) {}

QString CScopeFileActions::InitialName() const {
    return QDir(g_.userFolder).exists() ? g_.userFolder + QStringLiteral("name") : QString();
}

QString CScopeFileActions::Export() {
    const QString chosen = dialogs_->ChooseExport(page_.PageWidget(), InitialName());
    if (chosen.isEmpty())
        return QString();
    const QString target = exportfiles::ExportTarget(chosen);
    if (target.isEmpty())
        return QString();
    bool written = false;
    if (target.endsWith(QLatin1String(".csv")))
        written = WriteWhole(target, exportfiles::Csv(page_.Snapshot().samples));
    else if (target.endsWith(QLatin1String(".txt")))
        written = WriteWhole(target, recording::Write(page_.Snapshot()));
    else
        written = WriteBitmap(target);
    if (!written) {
        platform::MessageBox(QStringLiteral("Cannot write %1!").arg(target));
        return QString();
    }
    return target;
}

// The page as shown, less 3 pixels on the left, 4 at the top and right and 50 at the bottom.
bool CScopeFileActions::WriteBitmap(const QString& path) {
    QWidget* page = page_.PageWidget();
    const QRect shown = page->rect().adjusted(3, 4, -4, -50);
    if (shown.isEmpty())
        return false;
    const QImage image = page->grab(shown).toImage();
    const QScreen* screen = page->screen();
    return WriteWhole(path, exportfiles::WindowsBitmap(image, screen ? screen->depth() : 32));
}

bool CScopeFileActions::Import() {
    const QString chosen = dialogs_->ChooseImport(page_.PageWidget(), InitialName());
    if (chosen.isEmpty())
        return false;
    QFile file(chosen);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // A file that is no recording would wipe the capture on the page: refuse it.
    if (!recording::IsRecording(bytes)) {
        platform::MessageBox(QStringLiteral("%1 is not an oscilloscope recording!").arg(chosen));
        return false;
    }
    page_.Restore(recording::Read(bytes));
    return true;
}
