#pragma once
// The object dictionary, loaded once from the database file on a thread of its own. Readers
// may look entries up at any time, also while loading runs.
#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>

#include "dictionary/sdoinfo.h"

struct CFolders;

class CAllSdo {
public:
    // Starts the loader thread. It reads the database and the settings file of `folders` and
    // stores the language it loads in `language`; both must outlive the dictionary.
    CAllSdo(const CFolders& folders, std::atomic<std::uint8_t>& language);
    ~CAllSdo();  // stops and joins the loader
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
