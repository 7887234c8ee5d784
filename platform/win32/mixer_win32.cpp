#include "platform/win32/mixer_win32.h"

#include <windows.h>
#include <mmsystem.h>

namespace corvane::platform {
namespace {

class Win32MixerDevice final : public MixerDevice {
 public:
  explicit Win32MixerDevice(HMIXER mixer) : mixer_(mixer) {}
  ~Win32MixerDevice() override {
    lineRoute_ = {};
    controlRoute_ = {};
    mixerClose(mixer_);
  }

  void Listen(MessageWindow& window, std::function<void(MixerChange)> onChange) {
    const HMIXER mixer = mixer_;
    auto route = [mixer, onChange](MixerChange::Kind kind) {
      return [mixer, onChange, kind](WPARAM wParam, LPARAM lParam) {
        if (reinterpret_cast<HMIXER>(wParam) != mixer || !onChange) return;
        onChange({kind, static_cast<uint32_t>(lParam)});
      };
    };
    lineRoute_ = window.AddRoute(MM_MIXM_LINE_CHANGE, route(MixerChange::Kind::Line));
    controlRoute_ = window.AddRoute(MM_MIXM_CONTROL_CHANGE, route(MixerChange::Kind::Control));
  }

  std::optional<MixerLineInfo> DestinationLine(uint32_t destination) override {
    MIXERLINEW line = {};
    line.cbStruct = sizeof line;
    line.dwDestination = destination;
    if (mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixer_), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    line.szName[MIXER_LONG_NAME_CHARS - 1] = L'\0';
    return MixerLineInfo{line.dwLineID, line.cChannels, line.cControls, line.szName};
  }

  std::optional<MixerControlInfo> ControlOfType(uint32_t lineId, uint32_t type) override {
    MIXERCONTROLW control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = lineId;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixer_), &controls,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    return MixerControlInfo{control.dwControlID, control.dwControlType, control.Bounds.dwMinimum,
                            control.Bounds.dwMaximum};
  }

  std::optional<uint32_t> Value(uint32_t controlId) override {
    DWORD value = 0;
    MIXERCONTROLDETAILS details = Details(controlId, &value);
    if (mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixer_), &details,
                                MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    return value;
  }

  bool SetValue(uint32_t controlId, uint32_t value) override {
    DWORD stored = value;
    MIXERCONTROLDETAILS details = Details(controlId, &stored);
    return mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer_), &details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
  }

 private:
  // One channel: a read gives the first channel, a write sets every channel alike. The
  // unsigned and boolean details are both one DWORD.
  static MIXERCONTROLDETAILS Details(uint32_t controlId, DWORD* value) {
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = value;
    return details;
  }

  HMIXER mixer_;
  MessageWindow::Route lineRoute_;
  MessageWindow::Route controlRoute_;
};

}  // namespace

std::unique_ptr<MixerDevice> Win32Mixers::Open(uint32_t mixerId, std::function<void(MixerChange)> onChange) {
  HMIXER mixer = nullptr;
  if (mixerOpen(&mixer, mixerId, reinterpret_cast<DWORD_PTR>(window_.Handle()), 0,
                MIXER_OBJECTF_MIXER | CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
    return nullptr;
  }
  auto device = std::make_unique<Win32MixerDevice>(mixer);
  device->Listen(window_, std::move(onChange));
  return device;
}

}  // namespace corvane::platform
