#pragma once
// Registers the drive data pages (export 1243, import 1244) and the initialise/save dialog
// (1246) with the main frame.
class CGlobal;
class CPageRegistry;

void RegisterMaintenancePages(CPageRegistry& registry, CGlobal& g);
