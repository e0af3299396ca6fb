#include "app/projecthost.h"

#include <QApplication>
#include <QFileDialog>
#include <QStyle>

#include "app/childframe.h"
#include "app/mainframe.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "app/pageview.h"

using namespace platform;

namespace {
const QString kFilter = QStringLiteral("zpj (*.zpj)");
}

bool CMainProjectHost::ChooseSaveFile(const QString& initialName, QString& chosen) {
    chosen = QFileDialog::getSaveFileName(&frame_, QString(), initialName, kFilter);
    return !chosen.isEmpty();
}

int CMainProjectHost::ChooseOpenFile(const QString& initialName, QString& chosen) {
    chosen = QFileDialog::getOpenFileName(&frame_, QString(), initialName, kFilter);
    return chosen.isEmpty() ? 0 : 1;
}

void CMainProjectHost::NotifyAllPages(int code) {
    frame_.NotifyAllPages(code);
}

void CMainProjectHost::CloseAllPages() {
    frame_.CloseAllPages();
}

void CMainProjectHost::OpenPageAt(int pageNumber, int x, int y) {
    const PageKind* kind = CPageRegistry::Instance().FindByPageNumber(pageNumber);
    if (!kind)
        return;
    // An existing page is placed by its frame; a new one is created at the position.
    if (CChildFrame* frame = frame_.frames().Find(kind->command)) {
        SendMessage(frame->Handle(), WM_PLACE_PAGE, static_cast<WParam>(x), y);
        return;
    }
    frame_.OpenPageAt(kind->command, QPoint(x, y));
}

int CMainProjectHost::CaptionHeight() const {
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}
