#pragma once
// The pages of the domain registration: the registration agreement "/dnsagreement.html" on the
// main web host, and a member's mobile site "m.<label>.<domain>": a small home page with a link
// that asks for a new window, and a second page.
#include "emulator/http.h"

namespace emu {

struct Member;

// The main web host's domain agreement; false (out untouched) for any other path.
bool ServeDomainAgreementPage(const HttpRequest& request, HttpResponse* out);
// The mobile site of the member with that label (null: no such member).
HttpResponse MobileSitePage(const HttpRequest& request, const Member* member);

}  // namespace emu
