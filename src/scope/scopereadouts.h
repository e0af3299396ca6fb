#pragma once
// The measuring cursors of the oscilloscope page: cursor mode, the two cursor sliders and the
// read-outs (time and value at each cursor, and their differences) for one chosen channel.
#include <QObject>

#include "scope/oscilloform.h"

class CMyGraph;
class CScopeChannels;
class IScopePage;

class CScopeReadouts : public QObject {
    Q_OBJECT
public:
    CScopeReadouts(CMyGraph& graph, CScopeChannels& channels, IScopePage& page,
                   const ReadoutControls& controls);

    // Slider ranges follow the plot width; the cursors start at 230 and 650.
    void Initialise();
    // Recomputes the six read-out fields from the graph.
    void Refresh();
    // The captions "数据(%s)" and "时间(%s)" in the current language.
    void SetCaptions(const QString& dataUnit, const QString& timeUnit);

private:
    void OnMode(int mode);
    void OnSlider(int which, int position);

    CMyGraph& graph_;
    CScopeChannels& channels_;
    IScopePage& page_;
    ReadoutControls c_;
};
