#pragma once
// Fixed texts of the tuner: messages and status texts, English or Chinese by the program's
// language (1 Chinese, 2 English).
#include <QString>

namespace tunertext {

enum Id {
    NotOpen,           // no link
    InAcquisition,     // another acquisition runs
    FromTooSmall,      // start frequency below 4
    StepTooSmall,      // step below 3
    EndTooLarge,       // end frequency above 1000
    EndTooSmall,       // end below from + 4 x step
    AmplitudeRange,    // amplitude outside 32 .. 800
    Acquiring,         // status text while a scan runs
    Finished,          // status text after a scan
    Failed,            // the drive never reported data ready (or refused a request)
    UnexpectedStatus,  // the drive reported a status other than running or ready
    SafetyNote,        // shown before "start" may be pressed
    NoSimulation,      // the simulation module could not be loaded
    ImportShortHeader,
    ImportZeroStep,
    ImportTooManyPoints,
    ImportNoPoint,
    ImportLengthMismatch,
    ImportTruncated,
    FileUnreadable,
    FileUnwritable,
    LinkLost,
};

QString Text(Id id, int language);

}  // namespace tunertext
