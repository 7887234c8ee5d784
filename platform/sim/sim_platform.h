#pragma once
// Every simulated port in one place, for tests that drive the program's logic whole.

#include "platform/ports.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/dispatcher_sim.h"
#include "platform/sim/ini_file_sim.h"
#include "platform/sim/named_objects_sim.h"
#include "platform/sim/registry_sim.h"
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

  Ports ports{registry, iniFiles, namedObjects, windowMessages, threading, dispatcher, clock, user};
};

}  // namespace corvane::platform
