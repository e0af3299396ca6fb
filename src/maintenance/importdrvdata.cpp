#include "maintenance/importdrvdata.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QFile>
#include <QPushButton>

#include "app/global.h"
#include "comm/protocol.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/drvobjects.h"
#include "maintenance/filechooser.h"
#include "maintenance/reportlist.h"
#include "platform/msgbox.h"

using namespace drvdata;
using namespace platform;

namespace {

const char* const kOpenFailure = "open file failure!! \n";

enum Column { Number, Code, Load, Read, Result, Name };

}  // namespace

CImportDrvData::CImportDrvData(CGlobal& g, QWidget* parent)
    : CBatchPage(g, parent),
      list_(new CReportList(this)),
      pass_(rows_, DictionaryLookup(g.dictionary)) {
    setObjectName("CImportDrvData");
    list_->setObjectName("list");
    BuildColumns();
    auto* buttons = new QHBoxLayout;
    load_ = AddButton(buttons, "load", tr("导入数据"), [this] { OnLoadData(); });
    write_ = AddButton(buttons, "write", tr("写数据"), [this] { OnWriteData(); });
    save_ = AddButton(buttons, "save", tr("保存结果"), [this] { OnSaveResult(); });
    saveParams_ = AddButton(buttons, "saveParams", tr("保存参数"), [this] { OnSaveParameters(); });
    restart_ = AddButton(buttons, "restart", tr("驱动器重启"), [this] { OnRestart(); });
    exit_ = AddButton(buttons, "exit", tr("退出"), [this] { OnExit(); });
    LayOutPage(list_, buttons);
}

void CImportDrvData::BuildColumns() {
    const bool dpi96 = g_.screenDpi == 96;
    list_->AddColumn(QString(), dpi96 ? 45 : 50);
    list_->AddColumn(QStringLiteral("index"), dpi96 ? 90 : 110);
    list_->AddColumn(QStringLiteral("load value"), dpi96 ? 100 : 120);
    list_->AddColumn(QStringLiteral("read value"), dpi96 ? 100 : 120);
    list_->AddColumn(QStringLiteral("result"), dpi96 ? 90 : 100);
    list_->AddColumn(QStringLiteral("name"), dpi96 ? 250 : 300);
}

void CImportDrvData::ShowRows() {
    list_->ResetRows(static_cast<int>(rows_.size()));
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const ImportRow& r = rows_[row];
        list_->SetItemText(row, Number, QString::number(r.line));
        list_->SetItemText(row, Code, r.codeText);
        list_->SetItemText(row, Load, r.loadValue);
        list_->SetItemText(row, Name, r.name);
        RowChanged(row);
    }
}

void CImportDrvData::RowChanged(int row) {
    const ImportRow& r = rows_[row];
    list_->SetItemText(row, Read, r.readValue);
    list_->SetItemText(row, Result, r.result);
    QColor colour;
    if (r.result.indexOf(u'i') >= 0)
        colour = QColor(255, 0, 0);
    else if (r.result.indexOf(u'm') >= 0)
        colour = QColor(255, 255, 0);
    list_->SetRowBackground(row, colour);
}

void CImportDrvData::SetIdle(bool idle) {
    for (QPushButton* button : {load_, write_, save_, saveParams_, restart_})
        button->setEnabled(idle);
}

void CImportDrvData::OnLoadData() {
    SetStatus(QStringLiteral("Start export data..."));
    load_->setEnabled(false);
    FileDialogOptions options;
    options.title = QStringLiteral("Choosing load data file");
    options.filters = QStringList{QStringLiteral("Files(*.qxi)")};
    options.initialPath = InitialDataPath(g_);
    const QString path = ChooseFile(this, options);
    if (!path.isEmpty())
        LoadData(path);
    SetStatus(QStringLiteral("Export data finish."));
    load_->setEnabled(true);
}

bool CImportDrvData::LoadData(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox(QString::fromLatin1(kOpenFailure));
        return false;
    }
    rows_ = ImportRows(ReadDataFile(file), DictionaryLookup(g_.dictionary));
    ShowRows();
    return true;
}

void CImportDrvData::OnWriteData() {
    g_.pollingEnabled = 0;
    if (!LinkOpen())
        return;
    g_.link.Protocol().retryOnSendFailure = 1;
    SetStatus(QStringLiteral("Start write data..."));
    StartPass(pass_);
}

void CImportDrvData::PassEnded(CBatchPass& pass) {
    SetStatus(pass.StatusText());
    g_.pollingEnabled = 1;
}

QString CImportDrvData::ProposedLogName() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return QString::asprintf("%d-%02d-%02d %02d%02d%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

void CImportDrvData::OnSaveResult() {
    const QString proposed = ProposedLogName();
    FileDialogOptions options;
    options.save = true;
    options.title = QStringLiteral("write save file name without extend file name");
    options.filters = QStringList{QStringLiteral("Files(*.txt)")};
    options.initialPath = g_.baseFolder + u'/' + proposed;
    const QString chosen = ChooseFile(this, options);
    if (!chosen.isEmpty())
        SaveResult(chosen, proposed);
}

void CImportDrvData::SaveResult(const QString& chosen, const QString& proposedName) {
    const QString target = SaveTarget(chosen, QStringLiteral(".txt"), proposedName);
    save_->setEnabled(false);
    SetStatus(QStringLiteral("Start save data..."));
    const bool written = WriteLines(target, ResultLogLines(rows_));
    save_->setEnabled(!PassRunning() && !Saving());
    if (!written) {
        MessageBox(QString::fromLatin1(kOpenFailure));
        return;
    }
    SetStatus(QStringLiteral("save finished."));
}

// The pauses between the save steps run on a timer; the page stays responsive meanwhile.
void CImportDrvData::OnSaveParameters() {
    if (!LinkOpen())
        return;
    SetIdle(false);
    const int pause = steps_.Start();
    SetStatus(steps_.StatusText());
    AfterPause(pause);
}

void CImportDrvData::AfterPause(int pauseMs) {
    QTimer::singleShot(pauseMs, this, [this] { ProceedSave(); });
}

void CImportDrvData::ProceedSave() {
    if (std::optional<BatchRequest> request = steps_.Proceed()) {
        Send(*request);
        return;
    }
    SetIdle(true);
    SetStatus(steps_.StatusText());
}

void CImportDrvData::OtherReply(unsigned msg, std::int32_t key, std::uint32_t value) {
    if (!steps_.Saving())
        return;  // the restart's reply, or a late one
    const int pause = msg == WM_LINK_VALUE ? steps_.OnValue(key) : steps_.OnAbort(key, value);
    if (pause >= 0)
        AfterPause(pause);
}

void CImportDrvData::OtherNoReply() {
    if (!steps_.Saving())
        return;  // a restarting drive does not answer
    steps_.NoReply();
    SetIdle(true);
    SetStatus(steps_.StatusText());
}

// The drive does not answer while it restarts, so a failed send is not repeated.
void CImportDrvData::OnRestart() {
    if (!LinkOpen())
        return;
    g_.link.Protocol().retryOnSendFailure = 0;
    Send({sdo::Write2, drvobj::kRestart, drvobj::kRestartMagic});
}

void CImportDrvData::OnPageNotify(int code) {
    CBatchPage::OnPageNotify(code);
    if (code != PN_CLOSING)
        return;
    g_.link.Protocol().retryOnSendFailure = 1;
    PostMessage(g_.mainWindow, WM_BATCH_DONE, 0, 0);
}

void CImportDrvData::OnExit() {
    CloseFrame();
}
