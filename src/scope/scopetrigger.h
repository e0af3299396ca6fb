#pragma once
// The trigger of the oscilloscope page: source object (0x2300:0C, 0 = manual trigger), edge
// (0x2300:0B) and level (0x2300:0D) typed and shown in a unit of the source object.
#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

#include "scope/oscilloform.h"
#include "scope/scopeitems.h"

class CGlobal;
class IScopePage;

class CScopeTrigger : public QObject {
    Q_OBJECT
public:
    CScopeTrigger(CGlobal& g, IScopePage& page, const TriggerControls& controls);

    // "manual trigger", then the settings file's objects (the last one first).
    void FillList(const std::vector<std::int32_t>& keys);

    // Replies of 0x2300:0B..0D; false for other keys.
    bool OnValue(std::int32_t key, std::uint32_t value);
    bool OnAbort(std::int32_t key);
    // A value a unit conversion waited for: true when the trigger unit changed last (the level
    // is read again to show it in that unit).
    bool OnObjectValue(std::int32_t key);
    void OnPicked(std::int32_t key);
    void ClearUnitMark() { unitMark_ = false; }

    std::int32_t TriggerKey() const { return triggerKey_; }
    int Position() const;
    int UnitPosition() const;
    QString LevelText() const;
    // An imported trigger: the stored object key selects its item (added when missing); no
    // drive writes.
    void Restore(int position, std::int64_t objectKey, const QString& level, int unitPosition);
    void RefreshToolTip();

private:
    void ShowSource(std::uint32_t value);
    void ShowManual();
    int AddItem(std::int32_t key);
    void FillUnits(std::int32_t key);
    void OnSourceChosen();
    void OnEdgeClicked();
    void OnLevelCommitted();
    void OnUnitChosen();
    void ShowEdge();
    void Request(std::uint8_t command, int sub, std::int32_t value);

    CGlobal& g_;
    IScopePage& page_;
    TriggerControls c_;
    CScopeItemList items_;
    int edge_ = 0;
    std::int32_t triggerKey_ = 0;
    bool justChosen_ = false;
    bool unitMark_ = false;
};
