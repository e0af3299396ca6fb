#pragma once
// Registers the tuner window (command 32838) with the main frame.
class CGlobal;
class CPageRegistry;

void RegisterTunerPages(CPageRegistry& registry, CGlobal& global);
