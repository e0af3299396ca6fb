#pragma once
// Registers the error history page (command 1228) and the real-time error page (1235).
class CGlobal;
class CPageRegistry;

void RegisterErrorPages(CPageRegistry& registry, CGlobal& g);
