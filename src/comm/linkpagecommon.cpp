#include "comm/linkpagecommon.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include "app/pageview.h"
#include "resources/bitmaps.h"

namespace linkpage {

QIcon ToggleIcon(bool open) {
    return QIcon(
        resources::LoadBitmap(open ? resources::IDB_LINK_OPEN : resources::IDB_LINK_CLOSED));
}

QPushButton* MakeToggle(QWidget* parent) {
    auto* toggle = new QPushButton(parent);
    toggle->setObjectName("1006");
    toggle->setIconSize(QSize(32, 32));
    toggle->setFixedSize(48, 40);
    SetToggleState(toggle, false);
    return toggle;
}

void SetToggleState(QPushButton* toggle, bool open) {
    QVariant shown = toggle->property("linkOpen");
    if (shown.isValid() && shown.toBool() == open)
        return;
    toggle->setProperty("linkOpen", open);
    toggle->setIcon(ToggleIcon(open));
}

bool ToggleShowsOpen(const QPushButton* toggle) {
    return toggle->property("linkOpen").toBool();
}

QWidget* MakeOkCancel(CPageView* page) {
    auto* box = new QDialogButtonBox(page);
    QPushButton* ok = box->addButton(QCoreApplication::translate("CLinkPage", "确定"),
                                     QDialogButtonBox::AcceptRole);
    QPushButton* cancel = box->addButton(QCoreApplication::translate("CLinkPage", "取消"),
                                         QDialogButtonBox::RejectRole);
    ok->setObjectName("1003");
    cancel->setObjectName("1005");
    QObject::connect(box, &QDialogButtonBox::accepted, page, &CPageView::CloseFrame);
    QObject::connect(box, &QDialogButtonBox::rejected, page, &CPageView::CloseFrame);
    return box;
}

}  // namespace linkpage
