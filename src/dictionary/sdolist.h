#pragma once
// The object dictionary browser: every object with index, sub-index and name, sortable by
// index or name, searchable by name, with the full description of the selected object. A
// double-click hands the object's key to the page that asked (pickRequester) and closes.
#include <QString>
#include <cstdint>

#include "app/pageview.h"

class CGlobal;
struct ObjectRef;
class CComboListCtrl;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CSdoList : public CPageView {
    Q_OBJECT
public:
    explicit CSdoList(CGlobal& g, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void FillList();
    void SortRows(int mode);
    void FindNext();
    void ShowEntryHelp(int row);
    void PickObject(int row);

    CComboListCtrl& List() { return *list_; }
    QComboBox& SortBox() { return *sort_; }
    QLineEdit& SearchBox() { return *search_; }
    QPushButton& FindButton() { return *find_; }
    QPlainTextEdit& Description() { return *description_; }

    int sortMode = 0;
    QString searchText;
    int lastMatch = -1;
    int shownRow = -1;

private:
    QString SortText(int row) const;
    void SwapRows(int a, int b);
    std::int32_t RowKey(int row) const;  // from the row's index and sub-index texts; -1 none
    int RowOf(std::int32_t key) const;
    void SelectObjectRow(int row);
    bool Matches(int row, const QString& needle, const ObjectRef* ref) const;
    int SearchFrom(int start, const QString& needle, const ObjectRef* ref) const;
    void CloseFrame();

    CGlobal& g_;
    CComboListCtrl* list_;
    QPlainTextEdit* description_;
    QComboBox* sort_;
    QLineEdit* search_;
    QPushButton* find_;
};
