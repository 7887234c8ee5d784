// A profile file as a user hands it to the import button: any bytes. What the reader takes
// must come back the same through the writer, and importing it into each kind of profile
// must write nothing but a well-formed profile.
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/sim/whole_file_sim.h"
#include "settings/profile_file.h"
#include "settings/profile_transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<settings::ProfileFile> profile = settings::ReadProfileFile(bytes)) {
    if (settings::ReadProfileFile(settings::WriteProfileFile(*profile)) != profile) std::abort();
  }

  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  const settings::ProfileTransferContext context{registry, user, L"\\Profiles\\", [&](const std::wstring&) {
                                                   auto file = std::make_unique<platform::SimWholeFile>();
                                                   file->contents = std::string(bytes);
                                                   return file;
                                                 }};
  for (settings::StoredProfileKind kind :
       {settings::StoredProfileKind::Direct3D, settings::StoredProfileKind::Color, settings::StoredProfileKind::Game}) {
    user.ChooseFile(L"in.cvp");
    const std::optional<std::wstring> name = settings::ImportProfile(context, kind);
    if (name && !settings::StoredProfileExists(registry, L"\\Profiles\\", kind, *name)) std::abort();
  }
  return 0;
}
