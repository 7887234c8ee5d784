#include "hardware/report/hardware_report.h"

#include <cstdarg>
#include <cstdio>
#include <optional>

#include "display/escape_calls.h"
#include "display/escape_context.h"
#include "display/escape_records.h"
#include "hardware/chip_table.h"
#include "hardware/rvx.h"

namespace corvane::hardware {

namespace {

constexpr size_t kLabelBytes = 30;

std::wstring Format(const wchar_t* format, ...) {
  wchar_t text[128];
  va_list args;
  va_start(args, format);
  const int length = std::vswprintf(text, std::size(text), format, args);
  va_end(args);
  return length < 0 ? std::wstring() : std::wstring(text, static_cast<size_t>(length));
}

std::wstring Hex8(uint32_t value) { return Format(L"%.8X", value); }

// What a label takes in code page 936: one byte for ASCII, two for the rest.
size_t AnsiWidth(std::wstring_view text) {
  size_t width = 0;
  for (wchar_t c : text) width += c < 0x80 ? 1 : 2;
  return width;
}

class Report {
 public:
  void Line(std::wstring_view label, std::wstring_view value = {}) {
    std::wstring line(label);
    for (size_t width = AnsiWidth(label); width < kLabelBytes; ++width) line += L' ';
    line += value;
    lines_.push_back(std::move(line));
  }
  void Heading(std::wstring_view heading) {
    lines_.emplace_back(kLabelBytes, L'_');
    Line(heading);
  }
  void Empty() { Line({}); }
  void Raw(std::wstring text) { lines_.push_back(std::move(text)); }
  std::vector<std::wstring> Lines() && { return std::move(lines_); }

 private:
  std::vector<std::wstring> lines_;
};

std::wstring FromAnsi(const HardwareReportSources& sources, const char* text, size_t size) {
  std::string_view bytes(text, size);
  bytes = bytes.substr(0, bytes.find('\0'));
  if (sources.ansiToWide) return sources.ansiToWide(bytes);
  std::wstring wide;
  for (char c : bytes) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

void General(Report& report, const HardwareReportSources& sources) {
  TRVX& rvx = sources.rvx;
  report.Heading(L"常规");
  report.Line(L"显示适配器", AdapterName(rvx.DeviceId));
  report.Line(L"总线", std::to_wstring(rvx.Bus));
  report.Line(L"设备", std::to_wstring(rvx.Device));
  report.Line(L"功能", std::to_wstring(rvx.Function));
  for (uint16_t bar = 0; bar < 4; ++bar)
    report.Line(L"基址 " + std::to_wstring(bar), Hex8(rvx.CardConfigRead32(static_cast<uint16_t>(0x10 + 4 * bar))));
  report.Heading(L"催化剂注册表路径");
  report.Raw(sources.driverKeyPath);
}

void Clocks(Report& report, TRVX& rvx) {
  report.Empty();
  rvx.ReadClocks();
  report.Heading(L"时钟信息");
  report.Line(L"BIOS VPU", Format(L"%.2f", rvx.DefaultCoreClock() / 100.0));
  report.Line(L"当前 VPU", Format(L"%.2f", rvx.CoreClock));
  report.Line(L"BIOS MEM", Format(L"%.2f", rvx.DefaultMemClock() / 100.0));
  report.Line(L"当前 MEM", Format(L"%.2f", rvx.MemClock));
}

void ConfigurationSpace(Report& report, TRVX& rvx) {
  report.Empty();
  report.Heading(L"Radeon PCI 配置空间");
  std::wstring header = L"  ";
  for (int column = 0; column < 16; ++column) header += Format(L" %.2X", column);
  report.Raw(header);
  for (uint16_t row = 0; row < 0x100; row += 16) {
    std::wstring line = Format(L"%.2X", row);
    for (uint16_t column = 0; column < 16; ++column)
      line += Format(L" %.2X", rvx.CardConfigRead8(static_cast<uint16_t>(row + column)));
    report.Raw(line);
  }
}

void Memory(Report& report, TRVX& rvx) {
  report.Empty();
  report.Heading(L"硬件信息");
  report.Line(L"显存容量", Format(L"%d Mb", static_cast<int>((rvx.RegRead32(0xF8) >> 24) << 4)));
  const uint32_t type = rvx.RegRead8(0x158) & 7u;
  report.Line(L"显存类型", type == 0   ? L"GDDR3"
                           : type == 1 ? L"SDRAM"
                           : type == 2 ? L"DDR SDRAM"
                           : type == 7 ? L"DDR2"
                                       : Format(L"未知 %8x", type));
  const uint32_t width = rvx.RegRead8(0x140) & 3u;
  report.Line(L"显存带宽", width == 0   ? L"64 位"
                           : width == 1 ? L"128 位"
                           : width == 2 ? L"256 位"
                                        : Format(L"未知 %2x", width));
  // Other pipe settings have no name; the line stays without a value.
  const uint32_t pipes = (rvx.RegRead32(0x4018) >> 1) & 7u;
  report.Line(L"已激活的渲染管线", pipes == 0   ? L"4"
                                   : pipes == 3 ? L"8"
                                   : pipes == 6 ? L"12"
                                   : pipes == 7 ? L"16"
                                                : L"");
}

void Registers(Report& report, TRVX& rvx) {
  report.Heading(L"Radeon 寄存器");
  report.Line(L"RADEON_BIOS_0_SCRATCH", Hex8(rvx.RegRead32(0x10)));
  report.Line(L"RADEON_BIOS_1_SCRATCH", Hex8(rvx.RegRead32(0x14)));
  static constexpr struct {
    const wchar_t* name;
    uint8_t index;
  } kPll[] = {{L"X_MPLL_REF_FB_DIV", 0x0A}, {L"XCLK_CNTL", 0x0D}, {L"MCLK_CNTL", 0x12},
              {L"XDLL_CNTL", 0x0C},         {L"XPLL_CNTL", 0x0B}};
  for (const auto& pll : kPll) report.Line(std::wstring(L"RADEON_") + pll.name, Hex8(rvx.PllRead32(pll.index)));
  static constexpr struct {
    const wchar_t* name;
    uint16_t offset;
  } kRegisters[] = {{L"GB_TILE_CONFIG", 0x4018},
                    {L"MC_TIMING_CNTL", 0x144},
                    {L"MC_SDRAM_MODE_REG", 0x158},
                    {L"MC_REFRESH_CNTL", 0x178}};
  for (const auto& reg : kRegisters) report.Line(reg.name, Hex8(rvx.RegRead32(reg.offset)));
}

void VideoBios(Report& report, const HardwareReportSources& sources) {
  display::EscapeContext dc(sources.escapes, sources.deviceName);
  const std::optional<display::BiosInfo> bios = display::GetBiosInfo(dc);
  if (!bios) return;
  report.Empty();
  report.Heading(L"视频 BIOS 信息");
  report.Line(L"版本", FromAnsi(sources, bios->Version.data(), bios->Version.size()));
  report.Line(L"零件编号", FromAnsi(sources, bios->PartNumber.data(), bios->PartNumber.size()));
  report.Line(L"日期", FromAnsi(sources, bios->Date.data(), bios->Date.size()));
}

void Monitors(Report& report, const HardwareReportSources& sources) {
  report.Empty();
  report.Heading(L"监视器配置");
  display::EscapeContext dc(sources.escapes, sources.deviceName);
  for (uint32_t controller = 0; controller < 2; ++controller) {
    const display::ControllerConfig config = display::GetControllerConfig(dc, controller);
    report.Line(L"控制器" + std::to_wstring(controller));
    report.Line(L"已激活的连接:");
    const int width = static_cast<int>(config.Width);
    const int height = static_cast<int>(config.Height);
    const int depth = static_cast<int>(sources.bitsPerPel);
    if (config.Displays & display::DisplayBit::FirstMonitor)
      report.Line(Format(L"   -主显示器 %dx%dx%d", width, height, depth));
    if (config.Displays & display::DisplayBit::DviMonitor)
      report.Line(Format(L"   -次显示器 %dx%dx%d", width, height, depth));
    if (config.Displays & display::DisplayBit::Tv) report.Line(Format(L"   -TV %dx%dx%d", width, height, depth));
    const uint32_t known = display::DisplayBit::FirstMonitor | display::DisplayBit::DviMonitor | display::DisplayBit::Tv;
    if ((config.Displays & known) == 0) report.Line(L"   未连接");
  }
}

}  // namespace

std::wstring AdapterName(uint32_t deviceId) {
  if (const std::optional<std::string_view> name = ChipName(deviceId)) {
    std::wstring wide;
    for (char c : *name) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return L"Radeon " + wide + Format(L" (%4x)", deviceId);
  }
  return Format(L"未知 %4x", deviceId);
}

std::vector<std::wstring> HardwareReportLines(const HardwareReportSources& sources) {
  Report report;
  General(report, sources);
  Clocks(report, sources.rvx);
  ConfigurationSpace(report, sources.rvx);
  Memory(report, sources.rvx);
  Registers(report, sources.rvx);
  VideoBios(report, sources);
  Monitors(report, sources);
  return std::move(report).Lines();
}

std::wstring JoinReportLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return text;
}

}  // namespace corvane::hardware
