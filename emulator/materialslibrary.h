#pragma once
// The service's materials library on the materials host: "/pwtd/sc01/bj<n>.aspx" (backgrounds)
// and "/pwtd/sc01/qj<n>.aspx" (foregrounds, with one small Flash file too) show a few pictures
// sized for page cell n; clicking one puts its address into the page's visible text between "{{{"
// and "}}}" ("[[[]]]" before a click), where the cell and preface editors read it. The pictures
// are served beside the pages.
#include "emulator/http.h"

#include <QString>

namespace emu {

// The page or picture; false (out untouched) for any other path.
bool ServeMaterialsLibrary(const HttpRequest& request, const QString& materialsHost, HttpResponse* out);

}  // namespace emu
