#include "units_fixture.h"

void PrintTo(const SentRequest& r, std::ostream* os) {
    *os << "{window " << r.window << ", command 0x" << std::hex << int(r.command) << ", key 0x"
        << r.key << ", data 0x" << r.data << std::dec << "}";
}

QByteArray DictionaryRecord(const TestObject& object) {
    auto field = [](const QByteArray& text, int size) {
        QByteArray f = text.left(size);
        f.append(QByteArray(size - f.size(), '\0'));
        return f;
    };
    const int index = (object.key >> 8) & 0xFFFF;
    const int sub = object.key & 0xFF;
    QByteArray record;
    record += field(QByteArray::number(index, 16).rightJustified(4, '0'), 4);
    record += field(QByteArray::number(sub, 16).rightJustified(2, '0'), 2);
    record += field("object", 64);
    record += field("object", 64);
    record += field(object.dataType, 16);
    record += field(object.attribute, 8);
    record += field("help", 4096);
    record += field("help", 4096);
    record += field(object.unitDefinition, 256);
    return record;
}

UnitsFixture::UnitsFixture(const std::vector<TestObject>& objects) {
    QByteArray file;
    for (const TestObject& o : objects) file += DictionaryRecord(o);
    base_.Write("data/velto.dat", file);
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=1\n");
    global_ = std::make_unique<CGlobal>(base_.Path());
    global_->dictionary.WaitLoaded(5000);
    TakeRequests();
}

UnitsFixture::~UnitsFixture() {
    global_->stopWorker = 1;
}
