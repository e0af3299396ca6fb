#pragma once
// The four channels of the oscilloscope page: which drive object feeds each (item lists, the
// drive's source slots 0x2300:01..06), in which unit it is shown, and the scale, offset and
// unit coefficient handed to the graph.
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "scope/oscilloform.h"
#include "scope/recording.h"
#include "scope/sampledecode.h"
#include "scope/scopeitems.h"

class CGlobal;
class IScopePage;

class CScopeChannels : public QObject {
    Q_OBJECT
public:
    CScopeChannels(CGlobal& g, IScopePage& page, CMyGraph& graph,
                   const std::array<ChannelControls, 4>& controls);

    // The settings file's channel objects (16 or 32 bits wide) for all four drop-downs.
    void FillCommon(const std::vector<std::int32_t>& keys);

    // Replies of the source slots; false for other keys.
    bool OnValue(std::int32_t key, std::uint32_t value);
    bool OnAbort(std::int32_t key);
    // A value a unit conversion waited for: true when it is a channel's object (its unit
    // coefficient is computed again).
    bool OnObjectValue(std::int32_t key);
    void OnPicked(int channel, std::int32_t key);

    // Before a capture and a re-read: offsets, auto/fixed scales and unit coefficients to the
    // graph.
    void Apply();
    // Offset fields holding "-0", "-0." or more than 10 characters go back to 0.
    void CheckOffsetFields(bool beforeCapture);
    // Scale texts and offsets from the graph after it scaled automatically.
    void TakeScalesFromGraph();
    void RefreshToolTips();

    RecordLayout Layout() const;
    bool Ticked(int channel) const;
    // Mapping entry of the channel's selected item, 0 without a selection.
    std::uint32_t SelectedEntry(int channel) const;
    QString UnitText(int channel) const;
    QString ValueText(int channel, double raw);

    RecordingChannel Recorded(int channel) const;
    // An imported channel: its item is selected as if the drive had reported it (nothing is
    // written), then its scale, offset, coefficient, unit and auto flag.
    void Restore(int channel, const RecordingChannel& stored);

    std::uint32_t Source16(int channel) const { return source16_[std::size_t(channel - 1)]; }
    std::uint32_t Source32(int channel) const { return source32_[channel <= 2 ? 0 : 1]; }

private:
    struct State {
        CScopeItemList extra;
        QString scaleText = QStringLiteral("1e-6");
        double scale = 1e-6;
        double offset = 0;
        double coefficient = 1;
        std::int32_t objectKey = 0;
    };
    ChannelItems Items(int channel) const;
    const CScopeItem* Selected(int channel) const;
    void Connect(int channel);
    void OnSourceValue(int channel, std::uint32_t value);
    bool ShowItem(int channel, std::uint32_t value);
    int AddExtra(int channel, std::int32_t key);
    void FillUnits(int channel, bool fromDrive);
    void UpdateCoefficient(int channel);
    void OnCheckClicked(int channel);
    // The other slot of the channel that must be emptied first, or 0.
    int OtherSourceToClear(int channel, std::uint32_t code) const;
    bool OnFollowUp(std::int32_t key, std::uint32_t value);
    void OnObjectChosen(int channel);
    void OnUnitChosen(int channel);
    void OnScaleStep(int channel, int direction);
    void OnOffsetStep(int channel, int direction);
    void OnOffsetCommitted(int channel);
    void Write(int sub, std::uint32_t value);
    bool SignedItem(int channel) const;
    State& St(int channel) { return state_[std::size_t(channel - 1)]; }
    const State& St(int channel) const { return state_[std::size_t(channel - 1)]; }
    const ChannelControls& C(int channel) const { return controls_[std::size_t(channel - 1)]; }

    CGlobal& g_;
    IScopePage& page_;
    CMyGraph& graph_;
    std::array<ChannelControls, 4> controls_;
    std::array<State, 4> state_;
    CScopeItemList common_;
    std::array<std::uint32_t, 4> source16_{};
    std::array<std::uint32_t, 2> source32_{};
    int lastToggled12_ = 1;
    int lastToggled34_ = 3;
    // A source write that waits for the reply of the clearing write before it.
    struct FollowUp {
        std::int32_t clearKey = 0;
        int sub = 0;
        std::uint32_t value = 0;
    };
    std::optional<FollowUp> followUp_;
    std::int32_t readBackAfter_ = 0;  // the write whose reply starts the read-back
};
