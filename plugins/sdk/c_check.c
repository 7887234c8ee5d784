/* The plug-in header as a C plug-in sees it: this compiles only while the header is C. */
#include "plugins/sdk/corvane_plugin.h"

int corvane_plugin_sdk_c_check(void) { return (int)sizeof(PluginInfo); }
