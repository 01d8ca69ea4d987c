#pragma once
// Flash in the program's web views: a Flash player for browsers (npm's @ruffle-rs/ruffle, shipped in
// the shared data's "ruffle" folder when the build found it) served through a scheme of our own,
// and a small script on every page that loads it only where the page holds Flash content. Pages
// keep their Flash markup as it is; without the player's files Flash shows as an empty box.
#include <QString>

class QWebEngineProfile;

// The scheme the player's files are served under ("tavolin-flash://player/ruffle.js").
inline constexpr char kFlashPlayerScheme[] = "tavolin-flash";

// Registers the scheme with the browser engine. Called once, before the QApplication exists.
void RegisterFlashPlayerScheme();
// The folder of the player's files, or the empty text when they are not installed.
QString FlashPlayerFolder();
// Serves the player's files under the scheme and adds the loading script to the profile's pages;
// nothing when the player is not installed or the scheme was not registered. Returns whether the
// player is in place.
bool InstallFlashPlayer(QWebEngineProfile* profile);
// Takes the player away from the profile again (benchmarks: the pages as they are without it).
void RemoveFlashPlayer(QWebEngineProfile* profile);
// How many of the player's files the pages have asked for so far (tests: a page without Flash
// asks for none).
int FlashPlayerFileRequests();
