#include "dictionary/allsdo.h"

#include <QFile>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <vector>

#include "dictionary/numberscan.h"
#include "dictionary/sdofile.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

namespace {
constexpr auto kLangRetry = std::chrono::milliseconds(100);
constexpr int kLangTries = 30;  // give up waiting for [sys] "lang" after about 3 s
constexpr auto kLang3Retry = std::chrono::milliseconds(30);
constexpr int kLang3Tries = 100;
}  // namespace

struct CAllSdo::Impl {
    Impl(const CFolders& f, std::atomic<std::uint8_t>& l) : folders(f), language(l) {}

    const CFolders& folders;
    std::atomic<std::uint8_t>& language;

    // Entries in file order; keys_ mirrors them so a lookup scans contiguous integers.
    mutable std::mutex mutex;
    std::deque<CSdoInfo> entries;
    std::vector<std::int32_t> keys;

    // Loader state.
    mutable std::mutex stateMutex;
    mutable std::condition_variable stateChanged;
    bool stop = false;
    bool done = false;
    std::thread thread;

    void Run();
    bool Sleep(std::chrono::milliseconds ms);  // false when told to stop
    bool WaitForLanguage();
    bool WaitWhileLanguageIsThree();
    void Load(bool chinese);
    void Append(const CSdoInfo& entry);
    void Finish();
};

bool CAllSdo::Impl::Sleep(std::chrono::milliseconds ms) {
    std::unique_lock lock(stateMutex);
    return !stateChanged.wait_for(lock, ms, [this] { return stop; });
}

// Waits for [sys] "lang" and stores its value in `language`. When the key stays missing the
// language keeps its value (0 unless start-up set one): the dictionary follows that rule.
bool CAllSdo::Impl::WaitForLanguage() {
    for (int tries = 0;; ++tries) {
        const QString text =
            platform::GetProfileString(folders.settingsPath, "sys", "lang", QString(), 4);
        if (!text.isEmpty()) {
            language.store(static_cast<std::uint8_t>(numberscan::CDecimal(text)));
            return true;
        }
        if (tries + 1 >= kLangTries) {
            const bool chinese = language.load() == 1;
            platform::MessageBox(QStringLiteral("No language setting ([sys] \"lang\") in %1!\n"
                                                "The dictionary is loaded in %2.\n")
                                     .arg(folders.settingsPath, chinese ? "Chinese" : "English"));
            return true;
        }
        if (!Sleep(kLangRetry))
            return false;
    }
}

// Language 3 on a Chinese system waits for another value; nothing sets one, so the wait ends.
bool CAllSdo::Impl::WaitWhileLanguageIsThree() {
    for (int tries = 0; language.load() == 3; ++tries) {
        if (tries >= kLang3Tries) {
            platform::MessageBox(
                QStringLiteral("Unknown language 3 in [sys] \"lang\"!\n"
                               "The dictionary is loaded in English.\n"));
            return true;
        }
        if (!Sleep(kLang3Retry))
            return false;
    }
    return true;
}

// The language is decided here once; `language` may be rewritten meanwhile by the
// constructor's own ReadLanguage, which must not change which texts this load keeps.
void CAllSdo::Impl::Run() {
    if (folders.forcedLanguage != 0) {
        language.store(folders.forcedLanguage);
        Load(folders.forcedLanguage == 1);
        Finish();
        return;
    }
    bool proceed = WaitForLanguage();
    bool chinese = false;
    if (proceed && platform::SystemLocaleIsChinesePrc()) {
        proceed = WaitWhileLanguageIsThree();
        chinese = language.load() == 1;
    } else if (proceed) {
        language.store(2);
    }
    if (proceed)
        Load(chinese);
    Finish();
}

void CAllSdo::Impl::Load(bool chinese) {
    QFile file(folders.databasePath);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::MessageBox(QStringLiteral("Couldn't load DB file!! \n"));
        return;
    }
    CSdoInfo entry;
    for (;;) {
        {
            std::lock_guard lock(stateMutex);
            if (stop)
                return;
        }
        const sdofile::ReadResult result = sdofile::ReadRecord(file, chinese, entry);
        if (result == sdofile::ReadResult::End)
            return;
        if (result == sdofile::ReadResult::Error) {
            platform::MessageBox(QStringLiteral("Couldn't load DB file!! \n"));
            return;
        }
        Append(entry);
    }
}

void CAllSdo::Impl::Append(const CSdoInfo& entry) {
    std::lock_guard lock(mutex);
    entries.push_back(entry);
    keys.push_back(entry.key);
}

void CAllSdo::Impl::Finish() {
    std::lock_guard lock(stateMutex);
    done = true;
    stateChanged.notify_all();
}

CAllSdo::CAllSdo(const CFolders& folders, std::atomic<std::uint8_t>& language)
    : impl_(new Impl(folders, language)) {
    try {
        impl_->thread = std::thread([this] { impl_->Run(); });
    } catch (const std::system_error&) {
        platform::MessageBox(QStringLiteral("Create Load SDO thread failure! \n"));
        impl_->Finish();
    }
}

CAllSdo::~CAllSdo() {
    {
        std::lock_guard lock(impl_->stateMutex);
        impl_->stop = true;
        impl_->stateChanged.notify_all();
    }
    if (impl_->thread.joinable())
        impl_->thread.join();
    delete impl_;
}

int CAllSdo::FindByKey(std::int32_t key, CSdoInfo& entry) const {
    std::lock_guard lock(impl_->mutex);
    const std::vector<std::int32_t>& keys = impl_->keys;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            entry = impl_->entries[i];
            return 1;
        }
    }
    return 0;
}

int CAllSdo::GetAt(int position, CSdoInfo& entry) const {
    std::lock_guard lock(impl_->mutex);
    if (position < 0 || size_t(position) >= impl_->entries.size())
        return 0;
    entry = impl_->entries[size_t(position)];
    return 1;
}

int CAllSdo::Count() const {
    std::lock_guard lock(impl_->mutex);
    return int(impl_->keys.size());
}

bool CAllSdo::LoadingDone() const {
    std::lock_guard lock(impl_->stateMutex);
    return impl_->done;
}

bool CAllSdo::WaitLoaded(int timeoutMs) const {
    std::unique_lock lock(impl_->stateMutex);
    return impl_->stateChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [this] { return impl_->done; });
}
