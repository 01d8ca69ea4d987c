#pragma once
// Ties the main window's command buttons to its commands (commands.h): gives the commands what
// they need of the window, builds the home-page album panel with its command button in cell 18's
// box, and connects every button. The commands live as long as the window.
class frm个人网站;
class HomeAlbumPanel;
class MainWindowCommands;
class QToolButton;

void WireMainWindowCommands(frm个人网站& window);
// The window's commands and panel, once wired (null before).
MainWindowCommands* CommandsOf(frm个人网站& window);
HomeAlbumPanel* HomeAlbumPanelOf(frm个人网站& window);
// The home-album command's button in cell 18's box.
QToolButton* SetHomePhotoButtonOf(frm个人网站& window);
