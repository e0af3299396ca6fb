#include "pages/registration.h"

#include <QCoreApplication>

#include "app/global.h"
#include "app/pageregistry.h"
#include "dictionary/sdolist.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"

namespace {
constexpr int kBrowserCommand = 1250;
constexpr int kBrowserTitle = 128;
}  // namespace

QString ParamPageTitle(int titleId) {
    if (titleId == kBrowserTitle)
        return QCoreApplication::translate("PageTitle", "对象字典");
    for (const ParamPageConfig& row : ParamPageTable())
        if (row.dialogTemplate == titleId)
            return QCoreApplication::translate("PageTitle", row.title);
    return QString();
}

void RegisterParameterPages(CPageRegistry& registry) {
    for (const ParamPageConfig& row : ParamPageTable()) {
        PageKind kind;
        kind.command = row.command;
        kind.titleId = row.dialogTemplate;
        kind.pageNumber = row.pageNumber;
        kind.pageName = row.pageName;
        if (row.driverProperty) {
            kind.size96 = QSize(570, 240);
            kind.sizeOther = QSize(710, 280);
        }
        const ParamPageConfig* config = &row;
        kind.create = [config] {
            auto* page = new CParamPage(*CGlobal::Instance(), *config);
            page->setWindowTitle(ParamPageTitle(config->dialogTemplate));
            return page;
        };
        registry.Add(std::move(kind));
    }
    PageKind browser;
    browser.command = kBrowserCommand;
    browser.titleId = kBrowserTitle;
    browser.size96 = QSize(1000, 460);
    browser.sizeOther = QSize(890, 580);
    browser.notifyOnOpen = false;
    browser.create = [] {
        auto* view = new CSdoList(*CGlobal::Instance());
        view->setWindowTitle(ParamPageTitle(kBrowserTitle));
        return view;
    };
    registry.Add(std::move(browser));
}
