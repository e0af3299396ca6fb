#pragma once
// What the channel, trigger and read-out helpers of the oscilloscope page need of the page.
#include "platform/messages.h"

class IScopePage {
public:
    virtual ~IScopePage() = default;
    virtual platform::WindowHandle Window() const = 0;
    // The read sequence continues at this step with the next reply.
    virtual void SetReadStep(int step) = 0;
    virtual void Redraw() = 0;
    // Opens the dictionary browser to pick an object for the trigger (0) or a channel (1..4).
    virtual void OpenBrowserFor(int target) = 0;
    // A channel's unit drop-down changed (a unit value that arrives then is the channel's).
    virtual void ChannelUnitChanged() = 0;
};
