#include "pages/registration.h"

#include "app/global.h"
#include "app/pageregistry.h"
#include "dictionary/sdolist.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"

namespace {
constexpr int kBrowserCommand = 1250;
constexpr int kBrowserTitle = 128;
}  // namespace

void RegisterParameterPages(CPageRegistry& registry, CGlobal& global) {
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
        kind.create = [&global, config] { return new CParamPage(global, *config); };
        registry.Add(std::move(kind));
    }
    PageKind browser;
    browser.command = kBrowserCommand;
    browser.titleId = kBrowserTitle;
    browser.size96 = QSize(1000, 460);
    browser.sizeOther = QSize(890, 580);
    browser.notifyOnOpen = false;
    browser.onClose = PageClose::Destroy;  // closed by the user or after a pick
    browser.create = [&global] { return new CSdoList(global); };
    registry.Add(std::move(browser));
}
