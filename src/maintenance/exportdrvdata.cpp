#include "maintenance/exportdrvdata.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "app/global.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/filechooser.h"
#include "maintenance/reportlist.h"
#include "platform/msgbox.h"

using namespace drvdata;

namespace {

const char* const kOpenFailure = "open file failure!! \n";

enum Column { Number, Code, Value, Result, Name };

}  // namespace

CExportDrvData::CExportDrvData(CGlobal& g, QWidget* parent)
    : CBatchPage(g, parent),
      list_(new CReportList(this)),
      pass_(rows_, DictionaryLookup(g.dictionary)) {
    setObjectName("CExportDrvData");
    list_->setObjectName("list");
    BuildColumns();
    auto* buttons = new QHBoxLayout;
    load_ = AddButton(buttons, "load", tr("导入数据"), [this] { OnLoadList(); });
    read_ = AddButton(buttons, "read", tr("读数据"), [this] { OnReadData(); });
    save_ = AddButton(buttons, "save", tr("保存结果"), [this] { OnSaveResult(); });
    exit_ = AddButton(buttons, "exit", tr("退出"), [this] { OnExit(); });
    LayOutPage(list_, buttons);
}

void CExportDrvData::BuildColumns() {
    const bool dpi96 = g_.screenDpi == 96;
    list_->AddColumn(QString(), dpi96 ? 45 : 50);
    list_->AddColumn(QStringLiteral("index"), dpi96 ? 85 : 105);
    list_->AddColumn(QStringLiteral("value"), dpi96 ? 95 : 110);
    list_->AddColumn(QStringLiteral("result"), dpi96 ? 60 : 75);
    list_->AddColumn(QStringLiteral("name"), dpi96 ? 250 : 300);
}

void CExportDrvData::ShowRows() {
    list_->ResetRows(static_cast<int>(rows_.size()));
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        list_->SetItemText(row, Number, QString::number(row + 1));
        list_->SetItemText(row, Code, rows_[row].codeText);
        list_->SetItemText(row, Name, rows_[row].name);
        RowChanged(row);
    }
}

void CExportDrvData::RowChanged(int row) {
    const ExportRow& r = rows_[row];
    list_->SetItemText(row, Value, r.value);
    list_->SetItemText(row, Result, r.result);
    list_->SetRowBackground(row, r.result.contains(u'F') ? QColor(255, 0, 0) : QColor());
}

void CExportDrvData::SetIdle(bool idle) {
    for (QPushButton* button : {load_, read_, save_}) button->setEnabled(idle);
}

void CExportDrvData::OnLoadList() {
    SetStatus(QStringLiteral("Start export data..."));
    load_->setEnabled(false);
    FileDialogOptions options;
    options.title = QStringLiteral("Choosing upload file");
    options.filters = QStringList{QStringLiteral("Files(*.qxo)")};
    options.initialPath = InitialDataPath(g_);
    const QString path = ChooseFile(this, options);
    if (!path.isEmpty())
        LoadList(path);
    SetStatus(QStringLiteral("Export data finish."));
    load_->setEnabled(true);
}

bool CExportDrvData::LoadList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::MessageBox(QString::fromLatin1(kOpenFailure));
        return false;
    }
    rows_ = ExportRows(ReadUploadList(file), DictionaryLookup(g_.dictionary));
    ShowRows();
    return true;
}

void CExportDrvData::OnReadData() {
    g_.pollingEnabled = 0;
    if (!LinkOpen())
        return;
    SetStatus(QStringLiteral("Start read data..."));
    StartPass(pass_);
}

void CExportDrvData::PassEnded(CBatchPass& pass) {
    g_.pollingEnabled = 1;
    SetStatus(pass.StatusText());
}

void CExportDrvData::OnSaveResult() {
    FileDialogOptions options;
    options.save = true;
    options.title = QStringLiteral("write save file name without extend file name");
    options.filters = QStringList{QStringLiteral("Files(*.qxi)"), QStringLiteral("Files(*.txt)")};
    options.defaultSuffix = QStringLiteral("qxi");
    options.initialPath = InitialDataPath(g_);
    const QString chosen = ChooseFile(this, options);
    if (!chosen.isEmpty())
        SaveResult(chosen);
}

void CExportDrvData::SaveResult(const QString& chosen) {
    const bool qxi = QFileInfo(chosen).suffix() == QLatin1String("qxi");
    const QString target =
        SaveTarget(chosen, qxi ? QStringLiteral(".qxi") : QStringLiteral(".txt"));
    save_->setEnabled(false);
    SetStatus(QStringLiteral("Start save data..."));
    const bool written = WriteLines(target, DataFileLines(rows_));
    save_->setEnabled(!PassRunning());
    if (!written) {
        platform::MessageBox(QString::fromLatin1(kOpenFailure));
        return;
    }
    SetStatus(QStringLiteral("save finished."));
}

void CExportDrvData::OnExit() {
    CloseFrame();
}
