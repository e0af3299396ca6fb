#pragma once
// The transmit and receive PDO dialogs (CTPDO_Dlg, CRPDO_Dlg): eight tabs, each holding the
// list page of one PDO, created when its tab is first shown.
#include <QWidget>
#include <array>

class CGlobal;
class CDrvPanelF002;
class QTabWidget;

// What tells the two dialogs apart.
struct PdoDialogConfig {
    const char* className;  // "CTPDO_Dlg" or "CRPDO_Dlg"
    const char* prefix;     // tab titles and list names: prefix + 1 ... 8
    int firstPageNumber;    // project number of the list page of PDO 1
};
const PdoDialogConfig& TransmitPdoDialog();
const PdoDialogConfig& ReceivePdoDialog();

class CPdoTabDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabs = 8;

    CPdoTabDlg(CGlobal& g, const PdoDialogConfig& config, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return tabs_; }
    // The list page of tab n (0 to 7); null until the tab was first shown.
    CDrvPanelF002* TabPage(int n) const { return pages_[n]; }
    // Sends a page notification to every list page created so far.
    void NotifyTabPages(int code);

private:
    void ShowTabPage(int n);

    CGlobal& g_;
    const PdoDialogConfig& config_;
    QTabWidget* tabs_;
    std::array<CDrvPanelF002*, kTabs> pages_{};
};
