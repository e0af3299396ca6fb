#pragma once
// Loads one link component by path and forwards to its object. The worker's Write and Read
// hold a lease on the object, so a Load or Close from the UI thread never frees it under them.
#include <QString>
#include <condition_variable>
#include <mutex>

#include "comm/commobject.h"
#include "platform/dynlib.h"

class CComm {
public:
    enum Kind { Offline = 1, Serial = 2, Can = 5, Unset = 6 };

    explicit CComm(QString dataFolder);  // dataFolder ends with "/"
    ~CComm();
    CComm(const CComm&) = delete;
    CComm& operator=(const CComm&) = delete;

    int Load(int kind);                      // 1 = loaded (or nothing to load), 0 = failure
    int Open(const CommSettings* settings);  // component result; -1 without settings or object
    void Close();
    int Write(const std::uint8_t* bytes, int count);  // serial; -1 without object
    int Read(std::uint8_t* buffer10, int* count);     // serial; -1 without object
    int Write(const CanMessage& message);             // CAN; -1 without object
    int Read(CanMessage& message);                    // CAN; -1 without object
    int GetVersion(char* buffer256);                  // 0 without CAN object

    // Replace the object of a kind (the old one is released); the seam tests use.
    void Attach(CCommObject* object);
    void Attach(CCanObject* object);

    int LinkKind() const;
    bool HasObject(int kind) const;

private:
    template <typename Object, typename F>
    int Use(Object* CComm::*member, int none, F&& call);
    template <typename Object>
    void Replace(Object* CComm::*member, Object* object);
    template <typename Object, typename Fn>
    int LoadComponent(Object* CComm::*member, platform::LibraryHandle& handle, const char* library,
                      const char* factory, const char* noExport, const char* noInstance);

    QString dataFolder_;
    mutable std::mutex mutex_;
    std::condition_variable idle_;
    int kind_ = Unset;
    int users_ = 0;  // calls running on the objects
    platform::LibraryHandle library_[2] = {nullptr, nullptr};
    CCommObject* commObject_ = nullptr;
    CCanObject* canObject_ = nullptr;
    CommSettings settings_;
    bool haveSettings_ = false;
};
