#pragma once
// Registers the seventeen parameter pages and the object dictionary browser (command 1250)
// with the main frame; frame titles come from the string table by the title id.
class CGlobal;
class CPageRegistry;

void RegisterParameterPages(CPageRegistry& registry, CGlobal& global);
