#pragma once
// The service pages the program's main window shows: the weekly advertisement strip
// "/pwtd/<week>/softmain.html" (ten pages of 70 pixels, one above the other, which the window
// turns one by one), the one-line information strip "/pwtd/<week>/softmainad2.html" on the
// advertisement host, and the free-service terms "/freeprovision.html" on the main web host.
#include "emulator/http.h"

namespace emu {

// The advertisement host's pages of the main window; false (out untouched) for any other path.
bool ServeMainWindowAdPage(const HttpRequest& request, HttpResponse* out);
// The advertisement host's two strip pages of the image editor; false for any other path.
bool ServeImageEditorAdPage(const HttpRequest& request, HttpResponse* out);
// The main web host's free-service terms; false (out untouched) for any other path.
bool ServeFreeProvisionPage(const HttpRequest& request, HttpResponse* out);

}  // namespace emu
