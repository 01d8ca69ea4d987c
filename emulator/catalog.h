#pragma once
// The service's endpoints and their operations with the ordered parameters the program sends, and
// the WSDL document of each endpoint.
#include "platform/soapmessage.h"

#include <QList>
#include <QString>

namespace emu {

inline constexpr char kServiceNamespace[] = "http://tempuri.org/";

struct EndpointSpec {
    QString name;                          // "webser001"
    QList<soap::WsdlOperation> operations; // parameters in call order
};

// Every endpoint of the service, in a fixed order.
const QList<EndpointSpec>& Endpoints();
// The endpoint of that name, letter case ignored; null when there is none.
const EndpointSpec* FindEndpoint(const QString& name);
// The WSDL model of an endpoint served at the address ("http://host/services/<name>.asmx").
soap::Wsdl EndpointWsdl(const EndpointSpec& endpoint, const QString& address);

}  // namespace emu
