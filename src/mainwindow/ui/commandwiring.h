#pragma once
// Ties the main window's command buttons to its commands (commands.h): gives the commands what
// they need of the window, builds the home-page album panel with its command button in cell 18's
// box, and connects every button. The commands live as long as the window.
class SiteWindow;
class HomeAlbumPanel;
class MainWindowCommands;
class QToolButton;

void WireMainWindowCommands(SiteWindow& window);
// The window's commands and panel, once wired (null before).
MainWindowCommands* CommandsOf(SiteWindow& window);
HomeAlbumPanel* HomeAlbumPanelOf(SiteWindow& window);
// The home-album command's button in cell 18's box.
QToolButton* SetHomePhotoButtonOf(SiteWindow& window);
