#pragma once
// Formula evaluator for unit conversions; UI thread only.
#include <QString>
#include <cstdint>

#include "platform/messages.h"

class CGlobal;

class CFormula {
public:
    explicit CFormula(CGlobal& global);
    ~CFormula();
    CFormula(const CFormula&) = delete;
    CFormula& operator=(const CFormula&) = delete;

    void AddConst(std::int32_t key, std::int32_t value);
    bool HasConst(std::int32_t key) const;
    std::int32_t GetConst(std::int32_t key) const;
    void SetConst(std::int32_t key, std::int32_t value);
    void ClearConsts();

    int Evaluate(platform::WindowHandle owner, const QString& formula, double n, double& result);
    int EvaluateToInt(platform::WindowHandle owner, const QString& formula, double n,
                      std::int32_t& result);

    void SetPending(std::int32_t key, std::uint8_t command, double value, const QString& formula);
    void RetryPending();

private:
    struct Impl;
    Impl* impl_;
};
