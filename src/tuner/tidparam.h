#pragma once
// The filter parameter page of the tuner (tab "Parameters"): six filters, one shown at a time
// with the fields of its type, and the loop gains Kvp, Kvi and Kpp. Typed values reach the
// filter table when another filter is selected or a simulation runs.
#include <QString>
#include <QWidget>

#include "platform/messages.h"
#include "tuner/filtermodel.h"
#include "tuner/simulation.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The page's message to the tuner view (WM_USER + 2) and its codes.
constexpr unsigned kTunerPageMessage = 0x400 + 2;
enum TunerPageCode { kPageSimulate = 1036, kPageSelectFilter = 1037, kPageFilterType = 1038 };

class CTIDParam : public QWidget {
    Q_OBJECT
public:
    CTIDParam(CFilterEntry (&filters)[kFilterCount], const QString& baseFolder, int language,
              QWidget* parent = nullptr);

    // The view that receives the page's messages.
    void SetMessageTarget(platform::WindowHandle view) { view_ = view; }

    // Message 1037: keeps the shown filter's values and shows filter r.
    void SelectFilter(int r);
    // Message 1038: the shown filter becomes type t.
    void ChangeType(int t);
    // The page's values into the entry of the shown filter.
    void StoreSelected();
    CLoopGains Gains() const;

    int selectedFilter = 0;

private:
    void BuildFilterRow();
    void BuildFields();
    void BuildGains();
    void FillTypes(int filter);
    void ShowFilter(int r);
    void Apply();

    CFilterEntry (&filters_)[kFilterCount];
    QString baseFolder_;
    int language_;
    platform::WindowHandle view_ = 0;
    QPushButton* filterButtons_[kFilterCount] = {};
    QComboBox* type_ = nullptr;    // 1273
    QCheckBox* active_ = nullptr;  // "激活"
    QLabel* labels_[4] = {};       // 1284, 1274, 1285, 1275
    QLineEdit* fields_[4] = {};    // 1280, 1062, 1063, 1064
    QLineEdit* gains_[3] = {};     // 1262 Kvp, 1263 Kvi, 1264 Kpp
};
