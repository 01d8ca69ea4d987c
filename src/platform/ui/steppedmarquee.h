#pragma once
// Marquees in the program's web views move as the pages were written for: a step of "scrollamount"
// pixels every "scrolldelay" milliseconds (the lyrics jump a line every half second to five
// seconds). The engine glides them instead, drawing the page sixty times a second for as long as a
// marquee runs; stepped, a slow marquee draws a few frames a second at the same speed. A script on
// every page takes each such marquee over before the engine moves it, wrapping its content in a
// moving block of its own and keeping the element, its attributes and its start() and stop() for
// the page's handlers. A marquee that steps more often than five times a second costs more in
// whole frames than the glide and is left to the engine, as are pages with scripts off (the HTML
// editor), whose HTML stays as it is.
class QWebEngineProfile;

void InstallSteppedMarquees(QWebEngineProfile* profile);
