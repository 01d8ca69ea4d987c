#pragma once
// The service's materials library on the materials host: "/pwtd/sc01/bj<n>.aspx" (backgrounds)
// and "/pwtd/sc01/qj<n>.aspx" (foregrounds, with one small Flash file too) show a small library of
// named pictures drawn for page cell n (scenes and patterns to fill it, pictures on a transparent
// ground to lay over it); clicking one puts its address into the page's text between "{{{" and
// "}}}" ("[[[]]]" before a click), in a box out of sight, where the cell and preface editors read
// it. The pictures are served beside the pages.
#include "emulator/http.h"

#include <QString>

namespace emu {

// The page or picture; false (out untouched) for any other path.
bool ServeMaterialsLibrary(const HttpRequest& request, const QString& materialsHost, HttpResponse* out);

}  // namespace emu
