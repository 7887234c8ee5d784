#pragma once
// Everything the program touches outside its own memory, as one bundle of ports.
// The Win32 build passes the real adapters; tests and /simulate pass simulations.

#include "platform/clock.h"
#include "platform/desktop_icons.h"
#include "platform/display_devices.h"
#include "platform/dispatcher.h"
#include "platform/ini_file.h"
#include "platform/named_objects.h"
#include "platform/notify_icon.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/threading.h"
#include "platform/user_interaction.h"
#include "platform/window_messages.h"

namespace corvane::platform {

struct Ports {
  Registry& registry;
  IniFiles& iniFiles;
  NamedObjects& namedObjects;
  WindowMessages& windowMessages;
  Threading& threading;
  Dispatcher& dispatcher;
  Clock& clock;
  UserInteraction& user;
  DisplayDevices& displayDevices;
  Shell& shell;
  NotifyIcon& notifyIcon;
  DesktopIcons& desktopIcons;
  // The hardware ports join here as they are built: driver escapes, the kernel I/O
  // device, card registers, audio, disks.
};

}  // namespace corvane::platform
