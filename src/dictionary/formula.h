#pragma once
// Formula evaluator for unit conversions; UI thread only.
//
// A formula is computed left to right without precedence: "*" and "/" apply in turn and a
// single "+" or "-" ends it. References "[iiiissll]" stand for the current value of another
// drive object; an unknown one is read from the drive (its reply goes to the main window, which
// hands it to ReferenceReply) and the evaluation reports that it must wait.
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/messages.h"

class CFormula {
public:
    // Puts a request on the drive link for the window `who`: the control link's Request.
    using RequestFunction = std::function<int(platform::WindowHandle who, std::uint8_t command,
                                              std::int32_t key, std::int32_t value)>;
    // Decides whether a parked write may send the value its retry computed; false refuses it
    // (the check shows its own message) and the object is read again instead.
    using WriteCheck = std::function<bool(double result)>;

    // References are read on behalf of `referenceWindow` (the main window, set later).
    CFormula(RequestFunction request, const std::atomic<platform::WindowHandle>& referenceWindow);
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

    // Parks the conversion whose evaluation just failed, for the owner of that evaluation; it
    // replaces a parked conversion of the same owner and object.
    void SetPending(std::int32_t key, std::uint8_t command, double value, const QString& formula,
                    WriteCheck check = {});
    // Retries the parked conversions; each one whose request is queued leaves the list.
    void RetryPending();
    bool HasPending() const;

    // A reply (WM_LINK_VALUE or WM_LINK_ABORT) for a referenced object, as the main window gets
    // it. A value becomes the object's constant (once) and the parked conversions are retried.
    // A refusal ends every conversion waiting for that object: its owner gets WM_LINK_ABORT
    // (abort code, its own key), as if its own object had been refused.
    void ReferenceReply(unsigned msg, std::int32_t value, std::int32_t key);

    // Key of a reference's 8 hexadecimal digits (index, sub-index, unused length byte).
    static std::int32_t ReferenceKey(std::uint32_t digits) {
        return static_cast<std::int32_t>(digits >> 8);
    }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
