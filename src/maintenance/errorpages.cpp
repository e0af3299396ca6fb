#include "maintenance/errorpages.h"

#include "app/pageregistry.h"
#include "maintenance/errorgroup.h"
#include "maintenance/realtimeerror.h"

void RegisterErrorPages(CPageRegistry& registry, CGlobal& g) {
    PageKind history;
    history.command = 1228;
    history.titleId = 127;
    history.pageNumber = CErrorGroup::kPageNumber;
    history.pageName = QString::fromLatin1(CErrorGroup::kPageName);
    history.create = [&g] { return new CErrorGroup(g); };
    registry.Add(std::move(history));

    PageKind realtime;
    realtime.command = 1235;
    realtime.titleId = 145;
    realtime.size96 = QSize(580, 560);
    realtime.sizeOther = QSize(650, 670);
    realtime.create = [&g] { return new CRealtimeError(g); };
    registry.Add(std::move(realtime));
}
