#include "sim_link.h"

#include "comm/comm.h"
#include "dictionary/sdounit.h"

bool SimLink::Start(const QStringList& simOptions, int language) {
    for (const char* file : {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so"})
        if (!base_.CopyFromRuntime(file))
            return false;
    base_.Write("sys/sys.ini", "[sys]\nlang=" + QByteArray::number(language) + "\ncomm=2\n");
    QStringList args = {"--base",     base_.Path(), "--serial",        PortPath(),
                        "--no-stdin", "--control",  base_.File("ctl1")};
    if (!sim_.Start(args + simOptions))
        return false;
    global_ = std::make_unique<CGlobal>(base_.Path(), std::uint8_t(language));
    global_->dictionary.WaitLoaded(20000);
    global_->language = std::uint8_t(language);
    global_->columnTitles[0] = "name";
    global_->columnTitles[1] = "data";
    global_->columnTitles[2] = "unit";
    const int widths[5] = {250, 110, 100, 240, 48};
    for (int i = 0; i < 5; ++i) global_->columnWidths[i] = widths[i];
    global_->screenDpi = 96;
    global_->mainWindow = mainWindow.Handle();
    return true;
}

bool SimLink::Connect() {
    CCtrlLink& link = global_->link;
    link.SetLinkKind(CComm::Serial);
    link.SetDriveAddress(1);
    CommSettings settings;
    QByteArray port = PortPath().toUtf8();
    std::snprintf(settings.portName, sizeof settings.portName, "%s", port.constData());
    settings.rate = 115200;
    settings.driveAddress = 1;
    if (link.Open(settings) != 0)
        return false;
    global_->online = 1;
    return true;
}

SimLink::~SimLink() {
    if (global_) {
        global_->online = 2;
        global_->stopWorker = 1;
        global_->link.Close();
    }
    sim_.Stop();
}

std::vector<std::int32_t> ReadableKeys(CGlobal& g, int count, bool writable) {
    std::vector<std::int32_t> keys;
    for (int p = 0; p < g.dictionary.Count() && int(keys.size()) < count; ++p) {
        CSdoInfo e;
        if (!g.dictionary.GetAt(p, e))
            break;
        int width = CNumbers::DataTypeWidth(e.dataType);
        if ((width != 8 && width != 16 && width != 32) || e.attribute.contains('L'))
            continue;
        if (writable) {
            if (!e.attribute.contains('W'))
                continue;
            CSdoUnit unit;
            g.units.FindOrAddUnit(e.key, e.unitDefinition, unit);
            bool raw = unit.cells.isEmpty() || (unit.cells.front().displayName.isEmpty() &&
                                                unit.cells.front().formula == QLatin1String("N*1"));
            if (!raw)
                continue;
        }
        keys.push_back(e.key);
    }
    return keys;
}
