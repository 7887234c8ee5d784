#pragma once
// Every real port in one place. Created on the UI thread, which owns the hidden
// message window the dispatcher, timers and registered messages use.

#include "platform/ports.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/desktop_icons_win32.h"
#include "platform/win32/dispatcher_win32.h"
#include "platform/win32/display_devices_win32.h"
#include "platform/win32/ini_file_win32.h"
#include "platform/win32/message_window.h"
#include "platform/win32/named_objects_win32.h"
#include "platform/win32/notify_icon_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/threading_win32.h"
#include "platform/win32/user_interaction_win32.h"
#include "platform/win32/window_messages_win32.h"

namespace corvane::platform {

struct Win32Platform {
  MessageWindow messageWindow;
  Win32Registry registry;
  Win32IniFiles iniFiles;
  Win32Threading threading;
  Win32NamedObjects namedObjects;
  Win32WindowMessages windowMessages{messageWindow};
  Win32Dispatcher dispatcher{messageWindow};
  Win32Clock clock{messageWindow};
  Win32UserInteraction user;
  Win32DisplayDevices displayDevices;
  Win32Shell shell;
  Win32NotifyIcon notifyIcon;
  Win32DesktopIcons desktopIcons;

  Ports ports{registry, iniFiles,  namedObjects, windowMessages, threading,  dispatcher,
              clock,    user,      displayDevices, shell,        notifyIcon, desktopIcons};
};

}  // namespace corvane::platform
