#pragma once
// The simulated drives the page-read bench talks to, and the transports it compares: one
// veltosim on a pseudo-terminal and a private virtual CAN bus, a second one on a
// pseudo-terminal paced as a 115200 Bd line.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "support/sim_process.h"
#include "support/temp_base.h"

class CGlobal;

struct Transport {
    QString name;
    int kind = 0;       // CComm::Serial or CComm::Can
    QString port;       // device path or CAN adapter
    double wireUs = 0;  // request and reply on the wire; 0 = carried at once
};

class BenchDrives {
public:
    // A base folder with the runtime's data, the simulators, and a page list of `rows` readable
    // objects for the page "BasicOperate" (sys.ini is left to the caller).
    bool Start(int rows);
    ~BenchDrives();

    TempBase& base() { return base_; }
    const std::vector<Transport>& transports() const { return transports_; }
    const std::vector<std::int32_t>& keys() const { return keys_; }

private:
    bool StartSims();

    TempBase base_;
    SimProcess sim_, pacedSim_;
    std::vector<Transport> transports_;
    std::vector<std::int32_t> keys_;
};

struct CommSettings;
// The link settings of the transport: 115200 Bd or 1 Mbit/s, drive address 1.
CommSettings SettingsFor(const Transport& t);

// Opens the link of `g` over the transport (online = 1); false when it does not open.
bool OpenLink(CGlobal& g, const Transport& t);
void CloseLink(CGlobal& g);

// Microseconds per exchange for the reads of `keys` through the protocol alone, on the calling
// thread, after one untimed exchange; -1 when the transport does not open or an exchange fails.
double BareExchangeUs(const QString& dataFolder, const Transport& t,
                      const std::vector<std::int32_t>& keys);
