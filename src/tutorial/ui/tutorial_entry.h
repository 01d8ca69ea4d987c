#pragma once
// The tutorial subsystem's part in its host windows: installs the player as the main window's
// and the upload window's tutorial panel. The program and the test programs call it once at start.
void InstallTutorialPlayers();
