#include "app/program.h"

#include "app/settings/main_ini.h"
#include "app/settings/program_settings.h"

namespace corvane {

int RunProgram(const ProgramEnvironment& environment) {
  platform::Ports& ports = environment.ports;
  // The mutex is held for the whole life of the first instance; a second one ends here.
  platform::NamedMutexResult instance = ports.namedObjects.CreateNamedMutex(L"corvane");
  if (instance.alreadyExisted) return 0;

  auto reg1 = settings::CreateProgramSettings(ports.registry);
  auto ini = ports.iniFiles.Open(environment.programFolder + settings::kMainIniFileName);
  const settings::MainIniSwitches switches = settings::ReadMainIniSwitches(*ini);
  (void)switches;  // the tray menus and the overclocking start-up read these

  reg1->SetValue(L"Proc_ID", static_cast<int32_t>(environment.processId));
  reg1->SaveAll();
  return 0;
}

}  // namespace corvane
