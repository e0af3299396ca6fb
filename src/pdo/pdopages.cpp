#include "pdo/pdopages.h"

#include "app/pageregistry.h"
#include "pdo/pdohostpage.h"
#include "pdo/pdotabdlg.h"

namespace {
struct HostRow {
    int command;
    int titleId;
    const char* className;
    const PdoDialogConfig& (*dialog)();
    int pageNumber;
};
constexpr HostRow kHosts[] = {
    {32842, 230, "CTagFormView", &TransmitPdoDialog, 47},
    {32841, 229, "CTagFormViewRPD", &ReceivePdoDialog, 48},
};
}  // namespace

void RegisterPdoPages(CPageRegistry& registry, CGlobal& g) {
    for (const HostRow& row : kHosts) {
        PageKind kind;
        kind.command = row.command;
        kind.titleId = row.titleId;
        kind.pageNumber = row.pageNumber;
        // The tab control is 600 x 400 pixels at any resolution.
        kind.size96 = kind.sizeOther = QSize(630, 450);
        // Brought up again, the page is active: a project saved then keeps it.
        kind.notifyOnOpen = true;
        kind.create = [&g, row] {
            return new CPdoHostPage(g, row.className, row.dialog(), row.pageNumber);
        };
        registry.Add(std::move(kind));
    }
}
