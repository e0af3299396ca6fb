#include "scope/scopepages.h"

#include "app/global.h"
#include "app/pageregistry.h"
#include "scope/driveroscillo.h"

namespace {
constexpr int kScopeCommand = 1247;
constexpr int kScopeTitle = 159;
}  // namespace

void RegisterScopePages(CPageRegistry& registry) {
    PageKind kind;
    kind.command = kScopeCommand;
    kind.titleId = kScopeTitle;
    kind.pageNumber = CDriverOscillo::kPageNumber;
    kind.size96 = QSize(1030, 640);
    kind.sizeOther = QSize(1280, 740);
    kind.create = [] { return new CDriverOscillo(*CGlobal::Instance()); };
    registry.Add(std::move(kind));
}
