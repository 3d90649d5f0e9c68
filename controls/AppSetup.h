#pragma once

// Process-level preparation for the Qt windows, split around the QApplication's construction:
//
//   PrepareApplication();          // before QApplication
//   QApplication app(argc, argv);
//   StartControls();               // after it
//
// PrepareApplication switches the WebEngine sandbox off when running as root (Chromium refuses
// root otherwise), shares OpenGL contexts as WebEngine wants, keeps compiled shaders off the
// disk, and registers the resource scheme.
void PrepareApplication();
// Loads the shared button pictures and installs the resource scheme on the default profile.
// False when the shared pictures could not be loaded.
bool StartControls();
