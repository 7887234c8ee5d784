#include "app/program.h"

#include "app/main_form.h"

namespace corvane {

int RunProgram(const ProgramEnvironment& environment, MainWindowHost& host) {
  // Held for the whole life of the process; a second instance learns it came second.
  platform::NamedMutexResult instance = environment.ports.namedObjects.CreateNamedMutex(L"corvane");
  const bool alreadyRunning = instance.alreadyExisted;
  // The second instance's handle goes at once, so that the first one's ending frees the name.
  if (alreadyRunning) instance.mutex.reset();

  TfrmMainQRX form(environment, host.Window(), alreadyRunning);
  if (!form.FormCreate()) return form.ExitCode();
  return host.Run(form);
}

}  // namespace corvane
