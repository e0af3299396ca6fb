#include "comm/commpages.h"

#include "app/commands.h"
#include "app/global.h"
#include "app/pageregistry.h"
#include "comm/commcan.h"
#include "comm/commmode.h"
#include "comm/commrs232.h"

namespace {
// A communication page: a frame of its own size, not notified when its command brings it up.
PageKind CommPage(int command, int titleId, QSize size96, QSize sizeOther, PageClose onClose) {
    PageKind kind;
    kind.command = command;
    kind.titleId = titleId;
    kind.size96 = size96;
    kind.sizeOther = sizeOther;
    kind.notifyOnOpen = false;
    kind.onClose = onClose;
    return kind;
}
}  // namespace

void RegisterCommPages(CGlobal& global) {
    CPageRegistry& registry = CPageRegistry::Instance();

    PageKind mode = CommPage(cmd::ID_COMM_MODE, cmd::IDS_COMM_MODE, QSize(300, 260),
                             QSize(370, 315), PageClose::Destroy);
    mode.closedWithAll = false;
    mode.create = [&global] { return new CCommMode(global); };
    registry.Add(mode);

    PageKind serial = CommPage(cmd::ID_PAGE_COMM_RS232, cmd::IDS_COMM_RS232, QSize(300, 260),
                               QSize(360, 320), PageClose::Hide);
    serial.create = [&global] { return new CCommRs232(global); };
    registry.Add(serial);

    PageKind can = serial;
    can.command = cmd::ID_PAGE_COMM_CAN;
    can.titleId = cmd::IDS_COMM_CAN;
    can.create = [&global] { return new CCommCan(global); };
    registry.Add(can);
}
