// The start routine: builds the program-wide objects, loads the main window and runs the loop.
// The exit routine is the end of this scope, where the App releases what it built.
#include "platform/media/player_engine.h"
#include "platform/qt/qt_program.h"
#include "shell/app.h"
#include "shell/settings_dir.h"
#include "shell/startup.h"

int main() {
  qt::QtProgram program;
  App app(program.loop(), program.desktop(), ServiceEndpoints::FromBuild(),
          ChooseSettingsDirectory(ProgramDirectory()), media::CreateGstPlayerEngine);
  program.LoadForm(
      app.form.window, [&app] { OnMainWindowCreated(app); },
      [&app] { OnMainWindowDestroying(app); }, [&app] { return app.ended(); });
  int exit_code = program.Run();
  program.UnloadForm();
  return exit_code;
}
