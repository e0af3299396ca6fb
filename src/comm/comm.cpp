#include "comm/comm.h"

#include <utility>

#include "platform/msgbox.h"

CComm::CComm(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

CComm::~CComm() {
    Replace(&CComm::commObject_, static_cast<CCommObject*>(nullptr));
    Replace(&CComm::canObject_, static_cast<CCanObject*>(nullptr));
    // Libraries stay loaded: objects of another CComm may still come from them.
}

int CComm::LinkKind() const {
    std::lock_guard lock(mutex_);
    return kind_;
}

bool CComm::HasObject(int kind) const {
    std::lock_guard lock(mutex_);
    if (kind == Serial)
        return commObject_ != nullptr;
    if (kind == Can)
        return canObject_ != nullptr;
    return false;
}

// Runs `call` on the object without holding the lock, counted so Replace waits for it.
template <typename Object, typename F>
int CComm::Use(Object* CComm::*member, int none, F&& call) {
    Object* object;
    {
        std::lock_guard lock(mutex_);
        object = this->*member;
        if (!object)
            return none;
        ++users_;
    }
    int result = call(object);
    {
        std::lock_guard lock(mutex_);
        if (--users_ == 0)
            idle_.notify_all();
    }
    return result;
}

// Swaps the object out, wakes a caller blocked inside it, waits until no call runs, then
// releases it.
template <typename Object>
void CComm::Replace(Object* CComm::*member, Object* object) {
    Object* old;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(this->*member, object);
    }
    if (!old)
        return;
    old->Close();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return users_ == 0; });
    lock.unlock();
    old->Release();
}

void CComm::Attach(CCommObject* object) {
    Replace(&CComm::commObject_, object);
}
void CComm::Attach(CCanObject* object) {
    Replace(&CComm::canObject_, object);
}

template <typename Object, typename Fn>
int CComm::LoadComponent(Object* CComm::*member, platform::LibraryHandle& handle,
                         const char* library, const char* factory, const char* noExport,
                         const char* noInstance) {
    if (!handle)
        handle = platform::LoadLibrary(dataFolder_ + library);
    if (!handle)
        return 0;
    auto create = reinterpret_cast<Fn>(platform::GetProcAddress(handle, factory));
    if (!create) {
        platform::MessageBox(noExport);
        return 0;
    }
    Replace(member, static_cast<Object*>(nullptr));
    Object* object = nullptr;
    create(&object);
    if (!object) {
        platform::MessageBox(noInstance);
        return 0;
    }
    Replace(member, object);
    return 1;
}

int CComm::Load(int kind) {
    {
        std::lock_guard lock(mutex_);
        kind_ = kind;
    }
    if (kind == Serial)
        return LoadComponent<CCommObject, CreateObjectFn>(
            &CComm::commObject_, library_[0], "COM.so", "CreateObject",
            "get Comm interface failure", "Create comm instance failure");
    if (kind == Can)
        return LoadComponent<CCanObject, CreateCanObjectFn>(
            &CComm::canObject_, library_[1], "CAN.so", "CreateCanObject",
            "get CAN interface failure", "Create CAN instance failure");
    return 1;
}

int CComm::Open(const CommSettings* settings) {
    int kind = LinkKind();
    if (!settings || (kind != Serial && kind != Can))
        return -1;
    {
        std::lock_guard lock(mutex_);
        settings_ = *settings;
        haveSettings_ = true;
    }
    if (kind == Serial) {
        if (!HasObject(Serial)) {
            platform::MessageBox("Load comm DLL failure");
            return -1;
        }
        return Use(&CComm::commObject_, -1, [&](CCommObject* o) { return o->Open(*settings); });
    }
    return Use(&CComm::canObject_, -1, [&](CCanObject* o) { return o->Open(*settings); });
}

void CComm::Close() {
    int kind = LinkKind();
    if (kind == Serial)
        Use(&CComm::commObject_, 0, [](CCommObject* o) { return o->Close(), 0; });
    else if (kind == Can)
        Use(&CComm::canObject_, 0, [](CCanObject* o) { return o->Close(), 0; });
}

int CComm::Write(const std::uint8_t* bytes, int count) {
    return Use(&CComm::commObject_, -1, [&](CCommObject* o) { return o->Write(bytes, count); });
}

int CComm::Read(std::uint8_t* buffer10, int* count) {
    return Use(&CComm::commObject_, -1, [&](CCommObject* o) { return o->Read(buffer10, count); });
}

int CComm::Write(const CanMessage& message) {
    return Use(&CComm::canObject_, -1, [&](CCanObject* o) { return o->Write(message); });
}

int CComm::Read(CanMessage& message) {
    return Use(&CComm::canObject_, -1, [&](CCanObject* o) { return o->Read(message); });
}

int CComm::GetVersion(char* buffer256) {
    return Use(&CComm::canObject_, 0, [&](CCanObject* o) { return o->GetVersion(buffer256); });
}
