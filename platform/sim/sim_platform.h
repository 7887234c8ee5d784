#pragma once
// Every simulated port in one place, for tests that drive the program's logic whole.

#include "platform/ports.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/desktop_icons_sim.h"
#include "platform/sim/dispatcher_sim.h"
#include "platform/sim/hardware/sim_display_devices.h"
#include "platform/sim/ini_file_sim.h"
#include "platform/sim/named_objects_sim.h"
#include "platform/sim/notify_icon_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/shell_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/sim/window_messages_sim.h"

namespace corvane::platform {

struct SimPlatform {
  SimRegistry registry;
  SimIniFiles iniFiles;
  SimThreading threading;
  SimNamedObjects namedObjects{threading};
  SimWindowMessages windowMessages;
  SimDispatcher dispatcher;
  SimClock clock;
  SimUserInteraction user;
  sim::SimDisplayDevices displayDevices{registry};  // writes the driver key into `registry`
  SimShell shell;
  SimNotifyIcon notifyIcon;
  SimDesktopIcons desktopIcons;

  Ports ports{registry, iniFiles,  namedObjects, windowMessages, threading,  dispatcher,
              clock,    user,      displayDevices, shell,        notifyIcon, desktopIcons};
};

}  // namespace corvane::platform
