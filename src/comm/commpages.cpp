#include "comm/commpages.h"

#include "app/commands.h"
#include "app/global.h"
#include "app/pageregistry.h"
#include "comm/commcan.h"
#include "comm/commmode.h"
#include "comm/commrs232.h"

void RegisterCommPages(CGlobal& global) {
    CPageRegistry& registry = CPageRegistry::Instance();

    PageKind mode;
    mode.command = cmd::ID_COMM_MODE;
    mode.titleId = cmd::IDS_COMM_MODE;
    mode.size96 = QSize(300, 260);
    mode.sizeOther = QSize(370, 315);
    mode.notifyOnOpen = false;
    mode.onClose = PageClose::Destroy;
    mode.closedWithAll = false;
    mode.create = [&global] { return new CCommMode(global); };
    registry.Add(mode);

    PageKind serial;
    serial.command = cmd::ID_PAGE_COMM_RS232;
    serial.titleId = cmd::IDS_COMM_RS232;
    serial.size96 = QSize(300, 260);
    serial.sizeOther = QSize(360, 320);
    serial.notifyOnOpen = false;
    serial.onClose = PageClose::Hide;
    serial.create = [&global] { return new CCommRs232(global); };
    registry.Add(serial);

    PageKind can = serial;
    can.command = cmd::ID_PAGE_COMM_CAN;
    can.titleId = cmd::IDS_COMM_CAN;
    can.create = [&global] { return new CCommCan(global); };
    registry.Add(can);
}
