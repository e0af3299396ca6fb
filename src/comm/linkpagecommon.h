#pragma once
// Pieces the serial and CAN link pages share: the open/closed toggle and the OK/Cancel row.
#include <QIcon>

class CPageView;
class QPushButton;
class QWidget;

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
