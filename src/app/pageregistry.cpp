#include "app/pageregistry.h"

CPageRegistry& CPageRegistry::Instance() {
    static CPageRegistry registry;
    return registry;
}

void CPageRegistry::Add(PageKind kind) {
    for (PageKind& existing : kinds_) {
        if (existing.command == kind.command) {
            existing = std::move(kind);
            return;
        }
    }
    kinds_.push_back(std::move(kind));
}

const PageKind* CPageRegistry::FindByCommand(int command) const {
    for (const PageKind& k : kinds_)
        if (k.command == command)
            return &k;
    return nullptr;
}

const PageKind* CPageRegistry::FindByPageNumber(int pageNumber) const {
    for (const PageKind& k : kinds_)
        if (pageNumber != 0 && k.pageNumber == pageNumber)
            return &k;
    return nullptr;
}
