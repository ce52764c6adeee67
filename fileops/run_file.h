#pragma once
// Handing files to the shell: run, open with the associated program, console, properties.
#include <cstdint>

#include "core/panel.h"
#include "core/settings.h"

namespace nrv {

// Console programs run in cmd.exe and wait for a key at the end; anything else is opened
// with its default verb. Returns the shell's result.
intptr_t RunFile(const Settings& settings, TextView folder, TextView name);

// The parameters that keep a console open after the program: /C ""folder\name" & pause"
Text ConsoleRunParameters(TextView folder, TextView name);
bool IsConsoleProgram(uint32_t executableType);

intptr_t OpenWithAssociation(TextView path);
intptr_t OpenConsole(TextView folder);
// -1 for "." / ".." and in an archive panel.
int ShowItemProperties(const Panel& panel, TextView name);

}  // namespace nrv
