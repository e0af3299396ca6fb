#pragma once
// The simulated drive (veltosim over a pseudo-terminal) behind a CGlobal built on a copy of
// the runtime data, connected through the real serial component.
#include <QString>
#include <memory>
#include <vector>

#include "app/global.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

// Objects of the shipped dictionary a parameter page can read (numeric, not live), in file
// order; `writable` picks those with "W" whose default unit shows the raw value.
std::vector<std::int32_t> ReadableKeys(CGlobal& g, int count, bool writable = false);

// Stands in for the main window: records link state changes.
struct SimMainWindow : platform::MessageTarget {
    int linkDown = 0;
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam) override {
        if (msg == platform::WM_LINK_STATE && w == 0)
            ++linkDown;
        return 0;
    }
};

class SimLink {
public:
    // Starts the simulator with the extra options (for example {"--refuse", "606400"}); the
    // dictionary is loaded in `language` (1 Chinese, 2 English).
    bool Start(const QStringList& simOptions = {}, int language = 2);
    bool Connect();  // opens the serial link to the simulator; online = 1
    ~SimLink();

    CGlobal& g() { return *global_; }
    TempBase& base() { return base_; }
    QString PortPath() const { return base_.File("ttyVSIM1"); }
    std::vector<std::int32_t> ReadableKeys(int count, bool writable = false) {
        return ::ReadableKeys(*global_, count, writable);
    }

private:
public:
    SimMainWindow mainWindow;

private:
    TempBase base_;
    SimProcess sim_;
    std::unique_ptr<CGlobal> global_;
};
