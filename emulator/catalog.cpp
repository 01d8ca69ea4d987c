#include "emulator/catalog.h"

#include <QStringList>

namespace emu {

namespace {

// A parameter list written compactly: names, a "*" suffix marks a byte array.
soap::WsdlOperation Op(const char* name, const QStringList& params) {
    soap::WsdlOperation op;
    op.name = QString::fromLatin1(name);
    op.requestNamespace = QString::fromLatin1(kServiceNamespace);
    op.soapAction = soap::DefaultSoapAction(op.requestNamespace, op.name);
    for (const QString& p : params) {
        if (p.endsWith(QLatin1Char('*')))
            op.inputs.append({p.chopped(1), QStringLiteral("base64Binary")});
        else
            op.inputs.append({p, QStringLiteral("string")});
    }
    return op;
}

// The credential triple that opens most member calls.
QStringList Member(const QStringList& rest) {
    return QStringList{QStringLiteral("UserName"), QStringLiteral("Password"), QStringLiteral("ServerPrefix")} + rest;
}

QList<EndpointSpec> Build() {
    QStringList homeSlots;
    for (int i = 1; i <= 15; ++i) homeSlots << QStringLiteral("Album%1").arg(i);
    const QStringList sitePayload{QStringLiteral("UserName"), QStringLiteral("Kind"), QStringLiteral("Password"),
                                  QStringLiteral("CheckCode"), QStringLiteral("ServerPrefix"),
                                  QStringLiteral("DomainLabel"), QStringLiteral("SiteKey"),
                                  QStringLiteral("Published"), QStringLiteral("Settings"), QStringLiteral("SitePage")};
    return {
        {QStringLiteral("webser001"),
         {Op("LoginSoftV2", {"UserName", "LoginToken", "IPAddress", "MachineCode", "ClientVersion"}),
          Op("EditPsw", {"UserName", "OldPassword", "NewPassword", "ServerPrefix"})}},
        {QStringLiteral("regser001"),
         {Op("Register", {"UserName", "Password", "Question", "Answer", "Birthday", "Email", "Province",
                          "ProvinceCode", "City", "CityCode", "Sex", "SexCode", "Occupation", "OccupationCode",
                          "IPAddress", "MachineSerial", "CheckCode", "Edition"})}},
        {QStringLiteral("wwwser001"),
         {Op("TestDomain", {"DomainLabel"}),
          Op("RegDomainNameV2", Member({"DomainLabel", "ClientVersion"}))}},
        {QStringLiteral("wwwser002"),
         {Op("UploadWebsite2", sitePayload + QStringList{"HomeAlbum", "ClientVersion"})}},
        {QStringLiteral("wwwser003"),
         {Op("WebsiteEncryption", sitePayload + QStringList{"Question", "Answer"}),
          Op("WebsiteNotEncryption", Member({})),
          Op("WebsiteEncryptionInfo", Member({}))}},
        {QStringLiteral("imgser001"),
         {Op("UploadFile01", Member({"Album", "NameMode", "RemoteName", "Extension", "Description", "FileData*"})),
          Op("UploadFile02", Member({"Album", "FileName", "Extension", "FileUrl", "FileData*"})),
          Op("BuildAlbumDir", Member({"Album"})),
          Op("GetDirInfo", Member({})),
          Op("GetDirFileInfo", Member({"Album"})),
          Op("DelFile", Member({"Album", "FileList"})),
          Op("DelDir", Member({"Album"})),
          Op("SetHomeAlbum", Member(homeSlots))}},
        {QStringLiteral("webser002"),
         {Op("UploadBlog", Member({"Title", "Category", "Body"})),
          Op("EditBlog", Member({"BlogTime", "OldTitle", "Title", "Category", "Body"})),
          Op("GetBlogList", Member({"StartText", "EndText"})),
          Op("GetBlog", Member({"BlogTime", "Title"})),
          Op("DelBlog", Member({"BlogTime", "Title"})),
          Op("UploadTBlog", Member({"Text", "ImageUrl", "HasImage"})),
          Op("GetTBlogList", Member({"StartText", "EndText"})),
          Op("DelTBlog", Member({"Key"})),
          Op("EditPicMemo", Member({"Album", "FileName", "Description"}))}},
    };
}

}  // namespace

const QList<EndpointSpec>& Endpoints() {
    static const QList<EndpointSpec> endpoints = Build();
    return endpoints;
}

const EndpointSpec* FindEndpoint(const QString& name) {
    for (const EndpointSpec& e : Endpoints())
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

soap::Wsdl EndpointWsdl(const EndpointSpec& endpoint, const QString& address) {
    soap::Wsdl w;
    w.targetNamespace = QString::fromLatin1(kServiceNamespace);
    w.serviceName = endpoint.name;
    w.address = address;
    w.operations = endpoint.operations;
    return w;
}

}  // namespace emu
