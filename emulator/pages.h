#pragma once
// The service's web pages as small honest pages: advertisements, notices, account and member
// pages, the widget and footer pages of the generated site (each showing the query keys it got),
// the pictures they name, the members' hosted files and their published sites.
#include "emulator/catalog.h"
#include "emulator/http.h"

namespace emu {

class Emulator;
struct HostInfo;

HttpResponse ServePage(const HttpRequest& request, const HostInfo& host, Emulator& emulator);
// What a browser sees at an endpoint's address without "?WSDL".
HttpResponse ServiceOverviewPage(const EndpointSpec& endpoint);

}  // namespace emu
