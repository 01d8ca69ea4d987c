#pragma once
// Marquees in the program's web views move as the pages were written for: a step of "scrollamount"
// pixels every "scrolldelay" milliseconds. The engine glides them instead, drawing the page sixty
// times a second for as long as a marquee runs (the lyrics cell alone kept the idle window busy);
// stepped, a marquee draws a few frames a second at the same speed. A script on every page takes
// each marquee over before the engine moves it, wrapping its content in a moving block of its own
// and keeping the element, its attributes and its start() and stop() for the page's handlers.
// Pages with scripts off (the HTML editor) keep the engine's marquee and their HTML as it is.
class QWebEngineProfile;

void InstallSteppedMarquees(QWebEngineProfile* profile);
