#pragma once
// The tutorial subsystem's part in its host windows: installs the player as the tutorial panel of
// the main window, the cell editor, the upload window and the text-on-a-picture dialog. The
// program and the test programs call it once at start.
void InstallTutorialPlayers();
