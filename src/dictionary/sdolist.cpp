#include "dictionary/sdolist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/global.h"
#include "dictionary/entrydescription.h"
#include "dictionary/objectkey.h"
#include "pages/combolistctrl.h"
#include "pages/rowhelpers.h"
#include "platform/msgbox.h"

namespace {
QString Tr(const char* text) {
    return QCoreApplication::translate("CSdoList", text);
}

QString HexUpper(int value, const char* format) {
    return QString::asprintf(format, unsigned(value)).toUpper();
}
}  // namespace

CSdoList::CSdoList(CGlobal& g, QWidget* parent)
    : CPageView(parent),
      g_(g),
      list_(new CComboListCtrl(this)),
      description_(new QPlainTextEdit(this)),
      sort_(new QComboBox(this)),
      search_(new QLineEdit(this)),
      find_(new QPushButton(Tr("查找下一个"), this)) {
    setObjectName("CSdoList");
    list_->setObjectName("list1062");
    description_->setObjectName("description1055");
    description_->setReadOnly(true);
    sort_->setObjectName("sort1209");
    sort_->addItems({Tr("对象索引"), Tr("对象名字")});
    search_->setObjectName("search1207");
    find_->setObjectName("find1208");
    auto* layout = new QGridLayout(this);
    layout->addWidget(list_, 0, 0, 1, 5);
    layout->addWidget(new QLabel(Tr("排列方式"), this), 1, 0);
    layout->addWidget(sort_, 1, 1);
    layout->addWidget(new QLabel(Tr("查找条件"), this), 1, 2);
    layout->addWidget(search_, 1, 3);
    layout->addWidget(find_, 1, 4);
    layout->addWidget(description_, 0, 5, 2, 1);
    connect(sort_, &QComboBox::currentIndexChanged, this, &CSdoList::SortRows);
    connect(find_, &QPushButton::clicked, this, &CSdoList::FindNext);
    connect(list_, &CComboListCtrl::rowActivated, this, &CSdoList::PickObject);
}

void CSdoList::OnInitialUpdate() {
    bool dpi96 = g_.screenDpi == 96;
    list_->InsertColumn(0, QStringLiteral("index"), dpi96 ? 60 : 80);
    list_->InsertColumn(1, QStringLiteral("sub"), dpi96 ? 40 : 60);
    list_->InsertColumn(2, QStringLiteral("name"), 300);
    for (int c = 0; c < 3; ++c) list_->SetReadOnlyColumn(c, true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    description_->setMinimumSize(595, 366);
    FillList();
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        std::vector<int> rows = list_->SelectedRows();
        if (!rows.empty())
            ShowEntryHelp(rows.front());
    });
    sort_->setCurrentIndex(0);
    ShowEntryHelp(0);
}

void CSdoList::FillList() {
    int count = g_.dictionary.Count();
    for (int p = 0; p < count; ++p) {
        CSdoInfo entry;
        if (!g_.dictionary.GetAt(p, entry))
            break;
        int row = list_->InsertItem(-1, HexUpper(entry.index, "%04x"));
        list_->SetItemText(row, 1, HexUpper(entry.subIndex, "%02x"));
        list_->SetItemText(row, 2, entry.name);
    }
}

QString CSdoList::SortText(int row) const {
    if (sortMode == 1)
        return list_->GetItemText(row, 2);
    return list_->GetItemText(row, 0) + list_->GetItemText(row, 1);
}

void CSdoList::SwapRows(int a, int b) {
    for (int c = 0; c < 3; ++c) {
        QString text = list_->GetItemText(a, c);
        list_->SetItemText(a, c, list_->GetItemText(b, c));
        list_->SetItemText(b, c, text);
    }
}

void CSdoList::SortRows(int mode) {
    if (mode == sortMode || mode < 0)
        return;
    sortMode = mode;
    // The cell texts move, the selection stays on its row number: both follow the object.
    const bool selected = !list_->SelectedRows().empty();
    const std::int32_t shownKey = RowKey(shownRow);
    const std::int32_t matchKey = RowKey(lastMatch);
    int count = list_->GetItemCount();
    for (int h = 0; h + 1 < count; ++h) {
        int smallest = h;
        for (int r = h + 1; r < count; ++r)
            if (SortText(r) < SortText(smallest))
                smallest = r;  // UTF-16 code unit order
        if (SortText(smallest) != SortText(h))
            SwapRows(h, smallest);
    }
    shownRow = RowOf(shownKey);
    lastMatch = RowOf(matchKey);
    if (selected)
        SelectObjectRow(shownRow);
}

std::int32_t CSdoList::RowKey(int row) const {
    if (row < 0 || row >= list_->GetItemCount())
        return -1;
    return CNumbers::ParseHex(list_->GetItemText(row, 0)) * 256 +
           CNumbers::ParseHex(list_->GetItemText(row, 1));
}

int CSdoList::RowOf(std::int32_t key) const {
    if (key < 0)
        return -1;
    for (int r = 0; r < list_->GetItemCount(); ++r)
        if (RowKey(r) == key)
            return r;
    return -1;
}

void CSdoList::SelectObjectRow(int row) {
    list_->DeselectAll();
    if (row < 0)
        return;
    list_->SelectRow(row, true);
    list_->scrollTo(list_->model()->index(row, 0));
}

// A row matches by name, or by index (and sub-index) when the text names one: "6041:00".
bool CSdoList::Matches(int row, const QString& needle, const ObjectRef* ref) const {
    if (list_->GetItemText(row, 2).toLower().contains(needle))
        return true;
    if (!ref)
        return false;
    std::int32_t key = RowKey(row);
    return key >> 8 == ref->index && (ref->subIndex < 0 || (key & 0xFF) == ref->subIndex);
}

int CSdoList::SearchFrom(int start, const QString& needle, const ObjectRef* ref) const {
    for (int r = start; r < list_->GetItemCount(); ++r)
        if (Matches(r, needle, ref))
            return r;
    return -1;
}

void CSdoList::FindNext() {
    QString text = search_->text();
    if (text.isEmpty()) {
        searchText.clear();
        return;
    }
    if (text != searchText) {
        searchText = text;
        lastMatch = -1;
    }
    QString needle = text.toLower();
    ObjectRef ref;
    const ObjectRef* index = ParseObjectRef(text, ref) ? &ref : nullptr;
    int found = SearchFrom(lastMatch + 1, needle, index);
    if (found < 0 && lastMatch >= 0)
        found = SearchFrom(0, needle, index);  // wrap around
    if (found < 0) {
        platform::MessageBox(QStringLiteral("Not Found!!"));
        return;
    }
    lastMatch = found;
    SelectObjectRow(found);
    list_->setFocus(Qt::OtherFocusReason);
}

void CSdoList::ShowEntryHelp(int row) {
    if (row == shownRow || row < 0 || row >= list_->GetItemCount())
        return;
    shownRow = row;
    CSdoInfo entry;
    if (!g_.dictionary.FindByKey(RowKey(row), entry)) {
        description_->clear();  // another object's text would not belong to this row
        return;
    }
    description_->setPlainText(DescribeEntry(entry).replace("\r\n", "\n"));
}

void CSdoList::PickObject(int row) {
    if (row < 0 || row >= list_->GetItemCount())
        return;
    std::int32_t key = CNumbers::ParseHex(list_->GetItemText(row, 0) + list_->GetItemText(row, 1));
    platform::SendMessage(g_.pickRequester, platform::WM_ADD_OBJECT, 0, key);
    CloseFrame();
}

void CSdoList::CloseFrame() {
    for (QWidget* w = this; w; w = w->parentWidget()) {
        if (qobject_cast<QMdiSubWindow*>(w) || w->isWindow()) {
            w->close();
            return;
        }
    }
}
