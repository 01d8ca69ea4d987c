#pragma once
// The frame of the service's small pages: the query keys a page was sent ride along as data
// attributes of its body (data-k1="…"), where tests read them, and are never shown.
#include "emulator/http.h"

#include <QString>

namespace emu {

// The request's query keys as body attributes: ` data-k1="…" data-k2="…"` (escaped).
QString KeyAttributes(const HttpRequest& r);
// A whole page: its title, style rules and body, the body carrying the request's keys.
QString ServicePageHtml(const QString& title, const QString& style, const QString& body, const HttpRequest& r);

}  // namespace emu
