// WSDL documents and SOAP envelopes from the network: the parsers either read them or raise an
// error, and what a parser reads can be written back and read again.
#include "platform/soapmessage.h"
#include "platform/vberror.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const soap::Wsdl w = soap::ParseWsdl(bytes);
        (void)soap::ParseWsdl(soap::BuildWsdl(w));
    } catch (const VbError&) {
    }
    try {
        const soap::Request r = soap::ParseRequest(bytes);
        QList<soap::Arg> args;
        for (const auto& a : r.args) args.append(soap::Arg::Text(a.first, a.second));
        (void)soap::ParseRequest(soap::BuildRequest(r.ns, r.method, args));
    } catch (const VbError&) {
    }
    try {
        (void)soap::ParseResponse(bytes);
    } catch (const VbError&) {
    }
    return 0;
}
