#include "fileops/run_file.h"

#include "config/history.h"
#include "core/panel_item.h"
#include "core/paths.h"
#include "panel/panel_view.h"
#include "platform/shell.h"
#include "platform/error_report.h"

namespace nrv {
namespace {

Text Interpreter() { return platform::SystemFolder() + u"\\cmd.exe"; }

}  // namespace

bool IsConsoleProgram(uint32_t executableType) {
  const uint32_t low = executableType & 0xFFFF;
  return (executableType >> 16) == 0 && (low == 0x4550 || low == 0x5A4D);
}

Text ConsoleRunParameters(TextView folder, TextView name) {
  return u"/C \"\"" + JoinPath(folder, name) + u"\" & pause\"";
}

intptr_t RunFile(const Settings& settings, TextView folder, TextView name) {
  AddHistory(settings, kHistoryRecentLocations, folder);
  const Text path = JoinPath(folder, name);
  if (IsConsoleProgram(platform::ExecutableType(path))) {
    const Text interpreter = Interpreter();
    const Text parameters = ConsoleRunParameters(folder, name);
    const intptr_t result = platform::ExecuteWithShell({}, interpreter, parameters, {});
    ReportExecuteResult(result, interpreter + u" " + parameters);
    return result;
  }
  const intptr_t result = platform::ExecuteWithShell({}, path, {}, {});
  ReportExecuteResult(result, path);
  return result;
}

intptr_t OpenWithAssociation(TextView path) {
  const Text full = platform::FullPathName(path);
  const intptr_t result = platform::ExecuteWithShell(u"open", full, {}, {});
  ReportExecuteResult(result, full);
  return result;
}

intptr_t OpenConsole(TextView folder) {
  const Text interpreter = Interpreter();
  const intptr_t result = platform::ExecuteWithShell({}, interpreter, {}, folder);
  ReportExecuteResult(result, interpreter + u" (" + Text(folder) + u")");
  return result;
}

int ShowItemProperties(const Panel& panel, TextView name) {
  if (IsDotName(name) || KindOf(panel) == LocationKind::Archive) return -1;
  return platform::ShowProperties(WindowOf(panel), name) ? 0 : -1;
}

}  // namespace nrv
