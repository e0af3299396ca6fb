#pragma once
// Registers the oscilloscope page (command 1247, tool-bar 1127) with the main frame.
class CGlobal;
class CPageRegistry;

void RegisterScopePages(CPageRegistry& registry, CGlobal& global);
