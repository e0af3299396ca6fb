#pragma once
// The object dictionary, loaded once from the database file on a thread of its own. Readers
// may look entries up at any time, also while loading runs.
#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>

#include "dictionary/sdoinfo.h"

class CGlobal;

class CAllSdo {
public:
    explicit CAllSdo(CGlobal& global);  // starts the loader thread
    ~CAllSdo();                         // stops and joins the loader
    CAllSdo(const CAllSdo&) = delete;
    CAllSdo& operator=(const CAllSdo&) = delete;

    int FindByKey(std::int32_t key, CSdoInfo& entry) const;
    int GetAt(int position, CSdoInfo& entry) const;
    int Count() const;

    // True once the loader thread has ended (loaded, failed or stopped).
    bool LoadingDone() const;
    // Blocks until the loader has ended or `timeoutMs` passed; true when it has ended.
    bool WaitLoaded(int timeoutMs) const;

    // Project store (project files): section prefix and the files being written and read.
    QString projectPrefix = QStringLiteral("VeltoSero:");
    QString projectSavePath;
    QString projectOpenPath;

private:
    // Implementation detail owned by the dictionary code.
    struct Impl;
    Impl* impl_;
};
