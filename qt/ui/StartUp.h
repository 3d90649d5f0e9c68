#pragma once

// The program's start: prepares Qt and the controls, then runs the calculator window until it
// closes. Returns the process exit code.
int RunStartUp(int argc, char** argv);
