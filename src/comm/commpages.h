#pragma once
// Registers the communication mode page and the two link pages with the page registry.
class CGlobal;

void RegisterCommPages(CGlobal& global);
