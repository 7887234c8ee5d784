#include "platform/win32/sound_win32.h"

#include <windows.h>
#include <mmsystem.h>

namespace corvane::platform {

void Win32Sounds::PlayAsync(const std::wstring& file) {
  sndPlaySoundW(file.c_str(), SND_ASYNC);
}

}  // namespace corvane::platform
