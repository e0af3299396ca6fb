#include "maintenance/registration.h"

#include "app/commands.h"
#include "app/global.h"
#include "app/pageregistry.h"
#include "maintenance/exportdrvdata.h"
#include "maintenance/importdrvdata.h"
#include "maintenance/paraminitsave.h"

namespace {
constexpr int kExportTitle = 155;
constexpr int kImportTitle = 158;
}  // namespace

void RegisterMaintenancePages(CPageRegistry& registry, CGlobal& g) {
    PageKind exportPage;
    exportPage.command = cmd::ID_READ_DRIVE;
    exportPage.titleId = kExportTitle;
    exportPage.size96 = QSize(530, 490);
    exportPage.sizeOther = QSize(650, 610);
    exportPage.origin = QPoint(80, 30);
    exportPage.notifyAfterCreate = true;  // the first opening takes the link as well
    exportPage.create = [&g] { return new CExportDrvData(g); };
    registry.Add(std::move(exportPage));

    PageKind importPage;
    importPage.command = cmd::ID_WRITE_DRIVE;
    importPage.titleId = kImportTitle;
    importPage.size96 = QSize(680, 530);
    importPage.sizeOther = QSize(850, 660);
    importPage.notifyAfterCreate = true;
    importPage.create = [&g] { return new CImportDrvData(g); };
    registry.Add(std::move(importPage));

    PageKind initSave;
    initSave.command = cmd::ID_INIT_SAVE;
    initSave.run = [&g](QWidget* mainWindow) { CParamInitSave::Run(g, mainWindow); };
    registry.Add(std::move(initSave));
}
