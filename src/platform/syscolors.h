#pragma once
// The platform's system colours, as fixed values: a colour given as "system colour n" (an OLE
// colour 0x800000nn) paints in the value of entry n, as on a classic desktop.
#include <QColor>
#include <QtGlobal>

// 0x00BBGGRR of system colour `index` (COLOR_BTNFACE is 15); 0 for an index past the table.
quint32 GetSysColor(int index);
// An OLE colour made a plain 0x00BBGGRR: a system colour (most significant byte 0x80) becomes its
// current value, any other value stays as it is.
quint32 TranslateOleColor(quint32 oleColor);
// The colour an OLE colour paints in, system colours translated.
QColor OleColorToQColor(quint32 oleColor);
