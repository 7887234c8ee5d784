#pragma once
// Sends application reports to the program through "CORVANE_CBT" and "QRXAppMonEvent", one
// at a time across all processes, each waiting for the program's "QRXAppMonEvent_end" for
// a bounded time. Sending runs on a thread of its own, so the watched program never waits.

#include "outside/hook_logic/reports.h"

namespace corvane::outside {

// How long a report waits for the program to take it; a stopped program costs this once.
inline constexpr unsigned kReportWaitMs = 2000;

// The report of this process: its executable, id and whether a 3D library is loaded.
AppReport ThisProcessReport(bool deviceReport);

// Sends the report from a new thread; reports of this process go out in the order posted.
void PostAppReport(const AppReport& report);

// Sends it on the calling thread; false when the program is not there to take it.
bool SendAppReport(const AppReport& report);

}  // namespace corvane::outside
