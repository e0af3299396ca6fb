#pragma once
// Registers the digital I/O page, the drive panels F000 to F007 and the separate PDO list
// pages ("PdoOther", RPDO1-8, TPDO1-8) with the main frame.
class CGlobal;
class CPageRegistry;

void RegisterPanelPages(CPageRegistry& registry, CGlobal& g);
