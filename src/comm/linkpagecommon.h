#pragma once
// What the serial and CAN link pages share: the drive address, the open/closed toggle, the
// OK/Cancel row, and what opening, closing or changing the link does to the link state.
#include <QIcon>
#include <initializer_list>

#include "app/pageview.h"

class CGlobal;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

class CLinkPage : public CPageView {
    Q_OBJECT
public:
    // The address field takes 0 .. maxAddress.
    CLinkPage(CGlobal& global, int maxAddress, QWidget* parent);

    // WM_PAGE_NOTIFY PN_LINK_STATE: the toggle shows the link state.
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

    QLineEdit* addressEdit() const { return address_; }    // 1002
    QPushButton* toggleButton() const { return toggle_; }  // 1006

protected:
    // The toggle closes an open link, or opens one when the page's settings are chosen (the
    // page's OpenLink ends in LinkOpened or LinkFailed); then the settings are saved.
    virtual bool SettingsChosen() const = 0;
    virtual void OpenLink(int address) = 0;
    virtual void SaveSettings() = 0;
    virtual void AfterToggle() {}
    virtual void SetIconFromOnline();

    // Lays the page out: its settings with the drive address and the toggle below them, then
    // `below` (at the left edge), and OK/Cancel at the foot.
    void LayOut(QFormLayout* settings, std::initializer_list<QWidget*> below = {});
    // The link is open: the main window learns it, the reconnect remembers the settings.
    void LinkOpened(int address, int rate, const QString& statusText);
    // The component refused the open: the failure text and its error code are shown.
    void LinkFailed(const QString& failure, int result);
    // A setting changed: an open link closes, and a lost one is no longer reopened.
    void CloseOnChange();
    void ReportDown();
    void paintEvent(QPaintEvent* event) override;

    CGlobal& global_;
    QLineEdit* address_;
    QPushButton* toggle_;

private:
    void OnToggle();
};

namespace linkpage {

QIcon ToggleIcon(bool open);
QPushButton* MakeToggle(QWidget* parent);  // control 1006
// Shows the open or closed icon; does nothing when the button already shows it.
void SetToggleState(QPushButton* toggle, bool open);
// True when the toggle shows the open icon.
bool ToggleShowsOpen(const QPushButton* toggle);
// OK (1003) and Cancel (1005): both only hide the page.
QWidget* MakeOkCancel(CPageView* page);

}  // namespace linkpage
