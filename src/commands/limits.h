#pragma once

// The largest (and smallest) values that the commands allow, each by what it
// means: equal numbers are different limits.

namespace vx {

constexpr int MaxContact = 1056;
constexpr int MaxArticle = 1024; // magnetic articles and signals
constexpr int MaxCounter = 1024; // all-purpose counters
constexpr int MaxRoute = 512;
constexpr int MaxMarker = 999;
constexpr int MaxLoco = 9999;
constexpr int MaxModule = 9999; // function modules
constexpr int MaxSchedule = 9;  // schedule numbers start at 1
constexpr int MaxRepeat = 999;  // repeat count
constexpr int MaxDelay = 999;   // tenths of a second
constexpr int MaxSpeedStep = 126;
constexpr int MaxFunction = 28; // function numbers start at 1
constexpr int MinPicture = 2;   // function pictures
constexpr int MaxPicture = 50;
constexpr int MaxHour = 23;
constexpr int MaxMinute = 59;
constexpr int MaxTimeLapse = 600;
constexpr int MaxStartLine = 1999; // the line a loaded schedule starts at
constexpr int MaxMarkerValue = 99999;
constexpr int MaxCounterValue = 99999;
constexpr int MaxSetValue = 9999; // the SET variable
constexpr int MaxAddresses = 999; // jump and subroutine addresses of one schedule

} // namespace vx
