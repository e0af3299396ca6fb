#pragma once
// Formula evaluator for unit conversions; UI thread only.
//
// A formula is computed left to right without precedence: "*" and "/" apply in turn and a
// single "+" or "-" ends it. References "[iiiissll]" stand for the current value of another
// drive object; an unknown one is read from the drive (reply to the main window) and the
// evaluation reports that it must wait.
#include <QString>
#include <cstdint>
#include <memory>

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

    // 1 with the result, 0 when a referenced object's value is not known yet (its read is queued).
    int Evaluate(platform::WindowHandle owner, const QString& formula, double n, double& result);
    int EvaluateToInt(platform::WindowHandle owner, const QString& formula, double n,
                      std::int32_t& result);

    // False when the last finished evaluation was malformed (message shown, result 0 made up):
    // no tokens, operands and operators not alternating, or a square root without ")" or
    // without an operator next to "N". Writes must not send such a result.
    bool LastEvaluationSound() const;

    void SetPending(std::int32_t key, std::uint8_t command, double value, const QString& formula);
    // Retries the parked conversion; once its request is queued the slot is emptied.
    void RetryPending();
    bool HasPending() const;

    // Key of a reference's 8 hexadecimal digits (index, sub-index, unused length byte).
    static std::int32_t ReferenceKey(std::uint32_t digits) {
        return static_cast<std::int32_t>(digits >> 8);
    }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
