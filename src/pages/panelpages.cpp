#include "pages/panelpages.h"

#include "app/pageregistry.h"
#include "pages/datainout.h"
#include "pages/drvpanelf001.h"
#include "pages/drvpanelf002.h"
#include "pages/drvpanelf007.h"

namespace {

constexpr int kIoCommand = 1218;
constexpr int kF001Command = 1237;
constexpr int kF002Command = 1242;
constexpr int kF007Command = 1241;
constexpr int kPdoOtherCommand = 1255;
constexpr int kFirstRpdoCommand = 1256;
constexpr int kFirstTpdoCommand = 1264;

PageKind Kind(int command, int titleId, int pageNumber, QSize size96, QSize sizeOther) {
    PageKind kind;
    kind.command = command;
    kind.titleId = titleId;
    kind.pageNumber = pageNumber;
    kind.size96 = size96;
    kind.sizeOther = sizeOther;
    return kind;
}

// A CDrvPanelF002 page showing one list; `closedWithAll` is false for the PDO list pages.
void AddListPage(CPageRegistry& registry, CGlobal& g, int command, int titleId,
                 const QString& pageName, int pageNumber, bool closedWithAll) {
    PageKind kind = Kind(command, titleId, pageNumber, {}, {});
    kind.pageName = pageName;
    kind.closedWithAll = closedWithAll;
    kind.prepare = [pageName, pageNumber] { CurrentListPage() = {pageName, pageNumber}; };
    kind.create = [&g] { return new CDrvPanelF002(g); };
    registry.Add(std::move(kind));
}

void AddPdoListPages(CPageRegistry& registry, CGlobal& g) {
    AddListPage(registry, g, kPdoOtherCommand, kPdoOtherCommand, "PdoOther", 21, false);
    for (int n = 0; n < 8; ++n) {
        AddListPage(registry, g, kFirstRpdoCommand + n, kFirstRpdoCommand + n,
                    QStringLiteral("RPDO%1").arg(n + 1), 22 + n, false);
        AddListPage(registry, g, kFirstTpdoCommand + n, kFirstTpdoCommand + n,
                    QStringLiteral("TPDO%1").arg(n + 1), 30 + n, false);
    }
}

void AddPanels(CPageRegistry& registry, CGlobal& g) {
    for (const ParamPageConfig& row : PanelPageTable()) {
        PageKind kind = Kind(row.command, row.dialogTemplate, row.pageNumber, {}, {});
        kind.pageName = row.pageName;
        const ParamPageConfig* config = &row;
        kind.create = [&g, config] { return new CParamPage(g, *config); };
        registry.Add(std::move(kind));
    }
    PageKind f001 = Kind(kF001Command, 149, CDrvPanelF001::kPageNumber, {300, 140}, {360, 170});
    f001.notifyAfterCreate = true;
    f001.create = [&g] { return new CDrvPanelF001(g); };
    registry.Add(std::move(f001));
    AddListPage(registry, g, kF002Command, 150, "F002", 40, true);
    PageKind f007 = Kind(kF007Command, 154, 0, {215, 270}, {250, 330});
    f007.notifyAfterCreate = true;
    f007.create = [&g] { return new CDrvPanelF007(g); };
    registry.Add(std::move(f007));
}

}  // namespace

void RegisterPanelPages(CPageRegistry& registry, CGlobal& g) {
    PageKind io = Kind(kIoCommand, 144, CDataInOut::kPageNumber, {450, 590}, {550, 724});
    io.create = [&g] { return new CDataInOut(g); };
    registry.Add(std::move(io));
    AddPanels(registry, g);
    AddPdoListPages(registry, g);
}
