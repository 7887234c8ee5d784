#pragma once
// The kernel headers as the driver includes them (C declarations, mingw-w64's ddk).

extern "C" {
#include <ntifs.h>
}
