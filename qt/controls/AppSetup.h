#pragma once

// Process-level preparation for the Qt windows, split around the QApplication's construction:
//
//   PrepareApplication();          // before QApplication
//   QApplication app(argc, argv);
//   StartControls();               // after it
//
// PrepareApplication switches the WebEngine sandbox off when running as root (Chromium refuses
// root otherwise), shares OpenGL contexts as WebEngine wants, keeps compiled shaders off the
// disk, has web views drawn in software, and registers the resource scheme.
void PrepareApplication();
// Loads the shared button pictures. False when they could not be loaded.
bool StartControls();
