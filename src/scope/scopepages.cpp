#include "scope/scopepages.h"

#include "app/global.h"
#include "app/pageregistry.h"
#include "scope/driveroscillo.h"

namespace {
constexpr int kScopeCommand = 1247;
constexpr int kScopeTitle = 159;
}  // namespace

void RegisterScopePages(CPageRegistry& registry, CGlobal& global) {
    PageKind kind;
    kind.command = kScopeCommand;
    kind.titleId = kScopeTitle;
    kind.pageNumber = CDriverOscillo::kPageNumber;
    // The page (plot, sliders and controls) with the frame's border and caption.
    kind.size96 = QSize(1064, 628);
    kind.sizeOther = QSize(1284, 730);
    kind.create = [&global] { return new CDriverOscillo(global); };
    registry.Add(std::move(kind));
}
