#pragma once
// Registers the transmit (command 32842) and receive (32841) PDO mapping pages.
class CGlobal;
class CPageRegistry;

void RegisterPdoPages(CPageRegistry& registry, CGlobal& g);
