#pragma once
// Serves SDO on a CAN bus through Qt SerialBus: requests 0x600 + address, replies 0x580 + address.
#include <QCanBusDevice>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "sdoserver.h"

namespace vsim {

class CCanPort : public QObject {
    Q_OBJECT
public:
    using RequestHandler = std::function<void(const SdoFrame&)>;

    CCanPort(uint8_t address, RequestHandler onRequest);
    ~CCanPort() override;

    // spec is PLUGIN:INTERFACE, for example virtualcan:can0 or
    // virtualcan:tcp://127.0.0.1:35500/can0; false with a message.
    bool Open(const QString& spec, QString& error);
    void Send(const SdoFrame& reply);

private:
    void OnFrames();

    uint8_t address_;
    RequestHandler onRequest_;
    std::unique_ptr<QCanBusDevice> device_;
};

}  // namespace vsim
