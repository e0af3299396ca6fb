#pragma once
// A simulated drive for the maintenance tests: veltosim on a pseudo-terminal in its own base
// folder, a CGlobal connected to it through the serial component, and a main-window stand-in
// that closes the link when the worker reports a failure, as the main frame does.
#include <QString>
#include <QStringList>
#include <memory>

#include "app/global.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

struct MaintMainWindow : platform::MessageTarget {
    CGlobal* g = nullptr;
    int linkDown = 0;
    int batchDone = 0;
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam) override;
};

class MaintSim {
public:
    // An object only the drive knows (the program's dictionary lacks it): 0x2FFE:01, 32 bits.
    static constexpr std::int32_t kDriveOnlyKey = 0x2FFE01;

    bool Start(const QStringList& simOptions = {});
    bool Connect();
    ~MaintSim();

    CGlobal& g() { return *global_; }
    TempBase& base() { return base_; }
    // One command on the simulator's control channel; its answer.
    QString Tell(const QString& command);
    // Sets an object in the drive directly.
    void Set(std::int32_t key, qint64 value);
    qint64 Get(std::int32_t key);

    MaintMainWindow mainWindow;

private:
    TempBase base_;
    SimProcess sim_;
    std::unique_ptr<CGlobal> global_;
};
