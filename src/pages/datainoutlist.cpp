#include "pages/datainoutlist.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/msgbox.h"

using namespace platform;

namespace {
enum Column { CheckColumn, IdColumn, ItemColumn };
}

CDataInOutList::CDataInOutList(int mode, const QString& iniPath, int language, int screenDpi,
                               QWidget* parent)
    : QDialog(parent), list_(new QTableWidget(this)), mode_(mode) {
    setObjectName(mode == 0 ? "CDataInOutListIn" : "CDataInOutListOut");
    setWindowTitle(tr("功能选择"));
    const bool at96 = screenDpi == 96;
    list_->setColumnCount(3);
    list_->setHorizontalHeaderLabels({QString(), QStringLiteral("ID"), QStringLiteral("Item")});
    list_->setColumnWidth(CheckColumn, at96 ? 30 : 40);
    list_->setColumnWidth(IdColumn, at96 ? 60 : 80);
    list_->setColumnWidth(ItemColumn, at96 ? 350 : 420);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 8);
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fill(io::FunctionRows(iniPath, io::Section(mode == 0), io::KeyPrefix(language)));

    auto* ok = new QPushButton(tr("确定"), this);
    auto* cancel = new QPushButton(tr("取消"), this);
    ok->setObjectName("1202");
    cancel->setObjectName("1203");
    connect(ok, &QPushButton::clicked, this, &CDataInOutList::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize((at96 ? 440 : 540) + 40, at96 ? 520 : 640);
}

void CDataInOutList::Fill(const std::vector<io::FunctionRow>& rows) {
    list_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        check->setCheckState(Qt::Unchecked);
        list_->setItem(r, CheckColumn, check);
        list_->setItem(r, IdColumn, new QTableWidgetItem(QString::asprintf("%04x", rows[r].mask)));
        list_->setItem(r, ItemColumn, new QTableWidgetItem(rows[r].name));
        masks_.push_back(rows[r].mask);
    }
}

void CDataInOutList::Open(WindowHandle owner, std::int32_t key, std::uint16_t value) {
    owner_ = owner;
    key_ = key;
    value_ = value;
    ShowChecks();
    show();
    raise();
    activateWindow();
}

void CDataInOutList::ShowChecks() {
    for (int r = 0; r < int(masks_.size()); ++r)
        list_->item(r, CheckColumn)
            ->setCheckState(io::RowChecked(value_, masks_[r]) ? Qt::Checked : Qt::Unchecked);
}

void CDataInOutList::OnOk() {
    std::vector<std::uint16_t> checked;
    for (int r = 0; r < int(masks_.size()); ++r)
        if (list_->item(r, CheckColumn)->checkState() == Qt::Checked)
            checked.push_back(masks_[r]);
    std::uint16_t value = 0;
    if (!io::CheckedValue(checked, value)) {
        MessageBox(QString::fromLatin1(kMixedTables));
        return;
    }
    SendMessage(owner_, WM_IO_FUNCTION, value, key_);
    hide();
}
