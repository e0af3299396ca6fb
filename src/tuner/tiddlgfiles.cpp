// The tuner dialog's scan files, analysis and simulation.
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

#include "app/global.h"
#include "platform/msgbox.h"
#include "tuner/scanchecks.h"
#include "tuner/scanfile.h"
#include "tuner/tiddlg.h"
#include "tuner/tidparam.h"
#include "tuner/tidsetting.h"
#include "tuner/tunertexts.h"

namespace {

QString ChooseWithDialog(QWidget* parent, bool save, const QString& proposal) {
    QFileDialog dialog(
        parent,
        save ? QStringLiteral("save data to file") : QStringLiteral("Choose import to file"),
        proposal, QStringLiteral("File(*.txt)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

}  // namespace

void CTIDDlg::ShowScanSettings() {
    setting_->from()->setText(QString::number(data_.scanFrom));
    setting_->end()->setText(QString::number(data_.scanEnd));
    setting_->step()->setText(QString::number(data_.scanStep));
}

// The analysis takes the settings from the boxes, as the import left them or the user typed.
void CTIDDlg::AnalyseAndRedraw() {
    data_.scanFrom = TypedInt(setting_->from()->text());
    data_.scanEnd = TypedInt(setting_->end()->text());
    data_.scanStep = TypedInt(setting_->step()->text());
    data_.excitationAmplitude = TypedInt(setting_->amplitude()->text());
    AnalyseScan(data_, results_);
    load_->setText(QString::asprintf("%0.1f", double(results_.loadEstimate * 64)));
    source_.curvesEnabled = 1;
    plot_->update();
}

void CTIDDlg::OnExport() {
    QString proposal =
        QDir(g_.userFolder).exists() ? g_.userFolder + QStringLiteral("name") : QString();
    QString path =
        chooseFile_ ? chooseFile_(true, proposal) : ChooseWithDialog(this, true, proposal);
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveScanFile(path, data_, Language(), error))
        platform::MessageBox(error);
}

void CTIDDlg::OnImport() {
    QString proposal =
        QDir(g_.userFolder).exists() ? g_.userFolder + QStringLiteral("name") : QString();
    QString path =
        chooseFile_ ? chooseFile_(false, proposal) : ChooseWithDialog(this, false, proposal);
    if (path.isEmpty())
        return;
    importPath_ = path;
    CScanImportResult r = LoadScanFile(path, data_, Language());
    if (r.outcome != ScanImport::Rejected) {
        ShowScanSettings();
        setting_->amplitude()->setText(QString::number(data_.excitationAmplitude));
    }
    if (r.outcome != ScanImport::Complete) {
        platform::MessageBox(r.message);
        return;
    }
    AnalyseAndRedraw();
}

void CTIDDlg::OnSimulate() {
    if (!lib_.Loaded()) {
        platform::MessageBox(tunertext::Text(tunertext::NoSimulation, Language()));
        return;
    }
    param_->StoreSelected();
    BuildModelTable(filterTable_, modelTable_);
    RunSimulation(lib_, data_, results_, param_->Gains(), filterTable_, modelTable_, sim_);
    // Qt repaints the whole plot each time: the curves stay only while they are enabled.
    source_.curvesEnabled = 1;
    plot_->update();
}
