#pragma once
// Font names. Stored settings and pages name Windows fonts ("宋体", "Arial Black") that Debian
// lacks; the shipped fontconfig file fonts.conf makes each such name an alias of an installed font.
// Stored names stay as they are: font lists offer the alias names beside the installed families, so
// a stored "宋体" is found and written back unchanged.
#include <QStringList>

// Points FONTCONFIG_FILE at the shipped fonts.conf unless it is set already. Call it before the
// QApplication exists: fontconfig reads the variable once, and the browser engine's processes
// inherit it.
void UseFontAliases();

// The names fonts.conf makes aliases of installed fonts, in the file's order; none when the file
// is not found.
QStringList MappedFontNames();

// The families a font list offers, in the font database's order, then the alias names that are not
// installed families themselves.
QStringList ScreenFontNames();
