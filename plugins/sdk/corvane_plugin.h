/* The binary interface between Corvane and its plug-ins: the one header a plug-in author
 * includes. A plug-in is a 32-bit Windows DLL in the "plugins" folder beside corvane.exe
 * that exports get_plug_info and exec_plugin (every plug-in), done_plugin (run-time
 * plug-ins), and optionally suspend_restore and config_plugin, all __stdcall.
 * Compiles as C and as C++. */
#ifndef CORVANE_PLUGIN_H
#define CORVANE_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(CORVANE_PLUGIN_CALL)
#define CORVANE_PLUGIN_CALL __stdcall
#elif !defined(CORVANE_PLUGIN_CALL)
#define CORVANE_PLUGIN_CALL
#endif

/* "QRXL" read from the most significant byte; the host ignores any other value. */
#define CORVANE_PLUGIN_MAGIC 0x5152584Cu
/* Set to "1" in the program's environment while it runs on its simulated machine
 * ("corvane.exe /simulate"). The host service then reaches the simulated card by itself; a
 * plug-in that talks to hardware of its own may look at this variable and show simulated
 * devices instead. */
#define CORVANE_SIMULATE_VARIABLE "CORVANE_SIMULATE"
#define CORVANE_SIMULATE_VARIABLE_W L"CORVANE_SIMULATE"

/* The name's field: at most 50 characters of code page 936 text and a terminating zero. */
#define CORVANE_PLUGIN_NAME_SIZE 51

enum CorvanePluginKind {
  CORVANE_PLUGIN_MENU = 0,    /* run from the tray menu; ends when its window closes */
  CORVANE_PLUGIN_RUNTIME = 1  /* runs in the background from start-up until the program ends */
};

/* Filled by the plug-in in get_plug_info; the host hands it over uninitialised. */
#pragma pack(push, 1)
typedef struct PluginInfo {
  uint32_t magic;                        /* CORVANE_PLUGIN_MAGIC */
  char name[CORVANE_PLUGIN_NAME_SIZE];   /* zero-terminated, code page 936 */
  uint8_t kind;                          /* enum CorvanePluginKind; other values: not used */
} PluginInfo;
#pragma pack(pop)

/* The host's hardware services. Inputs and outputs have the fixed widths given with each
 * code; an output marked u32 is written as a whole 32-bit word. Every hardware code gives
 * 0 when the host's driver is not available: test CORVANE_HS_DRIVER_AVAILABLE first. */
enum CorvaneHostServiceCode {
  CORVANE_HS_NOTHING = 0,
  CORVANE_HS_HOST_VERSION = 1,        /* out u32: major << 16 | minor */
  CORVANE_HS_DRIVER_KEY = 2,          /* out: the display driver's key below HKEY_LOCAL_MACHINE, bytes
                                         without a terminating zero; give a zeroed buffer of 128 bytes */
  CORVANE_HS_DRIVER_AVAILABLE = 3,    /* out u32: 0 or 1 */
  CORVANE_HS_PORT_READ8 = 4,          /* in u16 port; out u32 */
  CORVANE_HS_PORT_READ16 = 5,         /* in u16 port; out u32 */
  CORVANE_HS_PORT_READ32 = 6,         /* in u16 port; out u32 */
  CORVANE_HS_PORT_WRITE8 = 7,         /* in u16 port, u8 value at 2; out u32 echo */
  CORVANE_HS_PORT_WRITE32 = 8,        /* in u16 port, u32 value at 2; out u32 echo */
  CORVANE_HS_PORT_WRITE16 = 9,        /* in u16 port, u16 value at 2; out u32 echo */
  CORVANE_HS_PCI_READ8 = 10,          /* in CorvanePciAddress; out u32 */
  CORVANE_HS_PCI_READ16 = 11,         /* in CorvanePciAddress; out u32 */
  CORVANE_HS_PCI_READ32 = 12,         /* in CorvanePciAddress; out u32 */
  CORVANE_HS_CLOCKS = 13,             /* out u32: memory MHz << 16 | core MHz, as the card runs now */
  CORVANE_HS_SET_CLOCKS = 14,         /* in u32: memory MHz << 16 | core MHz */
  CORVANE_HS_BIOS_CLOCKS = 15,        /* out u32: memory MHz << 16 | core MHz, the BIOS defaults */
  CORVANE_HS_MAP_PHYSICAL = 16,       /* in u32 address, u32 length; out pointer (null on failure) */
  CORVANE_HS_UNMAP_PHYSICAL = 17,     /* in pointer from CORVANE_HS_MAP_PHYSICAL */
  CORVANE_HS_REG_READ8 = 18,          /* in u16 offset into the card's registers; out u8 */
  CORVANE_HS_REG_READ16 = 19,         /* in u16 offset; out u16 */
  CORVANE_HS_REG_READ32 = 20,         /* in u16 offset; out u32 */
  CORVANE_HS_REG_WRITE8 = 21,         /* in u16 offset; the value is read from the OUTPUT buffer (u8) */
  CORVANE_HS_REG_WRITE16 = 22,        /* in u16 offset; value from the output buffer (u16) */
  CORVANE_HS_REG_WRITE32 = 23,        /* in u16 offset; value from the output buffer (u32) */
  CORVANE_HS_PCI_WRITE8 = 24,         /* in CorvanePciAddress, u8 value at 4 */
  CORVANE_HS_PCI_WRITE16 = 25,        /* in CorvanePciAddress, u16 value at 4 */
  CORVANE_HS_PCI_WRITE32 = 26,        /* in CorvanePciAddress, u32 value at 4 */
  CORVANE_HS_CARD_CONFIG_READ8 = 27,  /* in u16 register of the card; out u8 */
  CORVANE_HS_CARD_CONFIG_READ16 = 28, /* in u16 register; out u16 */
  CORVANE_HS_CARD_CONFIG_READ32 = 29  /* in u16 register; out u32 */
  /* Codes above 29 do nothing. */
};

/* The PCI address of codes 10-12 and 24-26; a write's value follows at offset 4. */
#pragma pack(push, 1)
typedef struct CorvanePciAddress {
  uint8_t bus;
  uint8_t device;
  uint8_t function;
  uint8_t reg;
} CorvanePciAddress;
#pragma pack(pop)

typedef void(CORVANE_PLUGIN_CALL* HostService)(uint32_t code, const void* in, void* out);

/* The five exports, by name. Their results are not used by the host. */
typedef void(CORVANE_PLUGIN_CALL* GetPlugInfoFunction)(PluginInfo* info);
typedef void(CORVANE_PLUGIN_CALL* ExecPluginFunction)(void* ownerWindow, HostService service);
typedef void(CORVANE_PLUGIN_CALL* DonePluginFunction)(void);
typedef void(CORVANE_PLUGIN_CALL* SuspendRestoreFunction)(void);
typedef void(CORVANE_PLUGIN_CALL* ConfigPluginFunction)(void);

#ifdef __cplusplus
#define CORVANE_PLUGIN_STATIC_ASSERT static_assert
#else
#define CORVANE_PLUGIN_STATIC_ASSERT _Static_assert
#endif
CORVANE_PLUGIN_STATIC_ASSERT(sizeof(PluginInfo) == 56, "PluginInfo is 56 bytes");
CORVANE_PLUGIN_STATIC_ASSERT(offsetof(PluginInfo, magic) == 0, "magic at 0");
CORVANE_PLUGIN_STATIC_ASSERT(offsetof(PluginInfo, name) == 4, "name at 4");
CORVANE_PLUGIN_STATIC_ASSERT(offsetof(PluginInfo, kind) == 55, "kind at 55");
CORVANE_PLUGIN_STATIC_ASSERT(sizeof(CorvanePciAddress) == 4, "a PCI address is 4 bytes");
CORVANE_PLUGIN_STATIC_ASSERT(offsetof(CorvanePciAddress, reg) == 3, "the register at 3");

#ifdef __cplusplus
}
#endif

#endif /* CORVANE_PLUGIN_H */
