#pragma once
// The filter and loop simulation module (nzsim.so in the base folder), loaded at run time.
#include <QString>

class CSimLibrary {
public:
    using FilterFn = int (*)(int, int, float, float, float, float, float*, float*);
    using LoopFn = int (*)(int, float, float, int, float, float, int, float, float, float, float,
                           int, float, float, float, float, int, float, float, float, float, int,
                           float, float, float, float, float*, float*, float*, float*, float*,
                           float*);
    using AtanFn = float (*)(int, int);

    CSimLibrary() = default;
    // Functions given directly (tests record the calls).
    CSimLibrary(FilterFn filter, LoopFn loop) : filter_(filter), loop_(loop) {}
    ~CSimLibrary();
    CSimLibrary(const CSimLibrary&) = delete;
    CSimLibrary& operator=(const CSimLibrary&) = delete;

    static QString ModulePath(const QString& baseFolder);

    // Loads the module and takes its two response functions; false (nothing kept) when the
    // module or either function is missing.
    bool Load(const QString& baseFolder);
    bool Loaded() const { return filter_ && loop_; }

    FilterFn Filter() const { return filter_; }
    LoopFn Loop() const { return loop_; }

    // Loads the module afresh, calls atanx(1, 0) and unloads it; false when it cannot be
    // loaded or lacks the function.
    static bool ProbeAtanx(const QString& baseFolder);

private:
    void* handle_ = nullptr;
    FilterFn filter_ = nullptr;
    LoopFn loop_ = nullptr;
};
