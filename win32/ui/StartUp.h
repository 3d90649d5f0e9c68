#pragma once

// The program's start on Windows: COM and the common controls, then exactly one modal dialog.
// Returns the process exit code.
int RunStartUp();
