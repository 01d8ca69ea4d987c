#pragma once
// The one way the program talks to the hosting service: the endpoint's WSDL address, a new SOAP
// client per operation, one call by method name, a text reply; the please-wait picture around the
// call, the error convention after a failed call, and the result codes the replies open with.
//
// A window's operation reads:
//     try {
//         const QString reply = ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"),
//                                           {CurrentUserName, LoginField(5), ...}, picNetToService);
//         if (reply == kOK_0001) ...
//     } catch (const VbError& e) {
//         ReportServiceError(e);
//     }
#include "platform/soapclient.h"
#include "platform/vberror.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

// ---- endpoint addresses

// The host that a server prefix gives for endpoint: the prefix lower-cased, then every "www"
// replaced by "web" for webser001 and webser002, by "img" for imgser001, unchanged for the others.
QString ServiceHostFromPrefix(const QString& endpoint, const QString& prefix);
// True for a prefix of the service's own form: "www" and decimal digits (any letter case). A
// remembered prefix of another form (a damaged settings file) is not used.
bool IsServerPrefix(const QString& prefix);
// "http://<host>.<service domain>/services/<endpoint>.asmx?WSDL"
QString ServiceWsdlUrlOnHost(const QString& endpoint, const QString& host);
// The WSDL address of endpoint by its host rule: regser001 on the default service host; webser001's
// LoginSoftV2 on the member's remembered prefix (member setting 0 of CurrentUserName), or the default
// host when there is none or it is not well formed; everything else on LoginInfo field 6.
QString ServiceWsdlUrl(const QString& endpoint, const QString& method = QString());

// ---- the call frame

// What a window shows while an operation waits for its reply: its please-wait picture, shown and
// painted at once so it is on screen before the call blocks, and controls disabled; end() puts
// both back. The windows layer gives the widget form (PleaseWait in foundation/ui/pleasewait.h).
class WaitIndicator {
public:
    virtual ~WaitIndicator() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};

// A new client for endpoint, its WSDL loaded from ServiceWsdlUrl(endpoint, method). Throws VbError.
std::unique_ptr<SoapClient> NewServiceClient(const QString& endpoint, const QString& method = QString());

// One whole operation: the wait shown (may be null), a new client on the endpoint's address, one
// call of method with args. Returns the reply; throws VbError with the wait ended.
QString ServiceCall(const QString& endpoint, const QString& method, const QList<SoapArgument>& args,
                    WaitIndicator* wait = nullptr);

// ---- the error convention

inline const QString kServiceErrorMessage = QStringLiteral("错误:抱歉！遇到意外错误，请您稍后再试...");

// After a failed operation: an error whose description contains "WSDLReader" opens the
// network-error window modally; any other shows message (information icon, title "提示").
void ReportServiceError(const VbError& error, const QString& message = kServiceErrorMessage);

// ---- result codes

// Every reply text the program tests, named after the text: a numbered code by its own spelling
// (kOK_0001, kError_0003; a variant with a suffix: kOK_0001Stamp), a tag by its words (kLoginOk for
// "__Login__OK__"), a sentence by what it says (kUploadNoFile).
inline const QString kOK_0001 = QStringLiteral("OK_0001");
inline const QString kOK_0002 = QStringLiteral("OK_0002");
inline const QString kOK_0001Stamp = QStringLiteral("OK_0001_");      // followed by a stamp or table text
inline const QString kOK_0001Table = QStringLiteral("{OK_0001}");     // followed by table text
inline const QString kError_0000 = QStringLiteral("Error_0000");      // our own: the call itself failed
inline const QString kError_0001 = QStringLiteral("Error_0001");
inline const QString kError_0002 = QStringLiteral("Error_0002");
inline const QString kError_0003 = QStringLiteral("Error_0003");
inline const QString kError_0004 = QStringLiteral("Error_0004");
inline const QString kError_0005 = QStringLiteral("Error_0005");
inline const QString kError_0006 = QStringLiteral("Error_0006");
inline const QString kError_0007 = QStringLiteral("Error_0007");
inline const QString kError_0008 = QStringLiteral("Error_0008");
inline const QString kError_0009 = QStringLiteral("Error_0009");
inline const QString kError_0010 = QStringLiteral("Error_0010");
inline const QString kError_0011 = QStringLiteral("Error_0011");
inline const QString kError_0020 = QStringLiteral("Error_0020");

// Login replies: the tag anywhere in the reply.
inline const QString kLoginOk = QStringLiteral("__Login__OK__");
inline const QString kLoginFalse = QStringLiteral("__Login__False__");
inline const QString kLoginDbFalse = QStringLiteral("__Login__DBFalse__");
inline const QString kLoginDataError = QStringLiteral("__Login__Data_Error__");

// Registration replies: success opens the reply, a refusal is a tag anywhere in it.
inline const QString kRegOk = QStringLiteral("__Reg__OK__");
inline const QString kRegArea = QStringLiteral("__Area__");           // after it, the success reply's server text
inline const QString kRegFalse = QStringLiteral("__Reg__False__");
inline const QString kRegNextHour = QStringLiteral("__Reg_Next_Hour__");  // one underscore after Reg, as sent
inline const QString kRegCanNotName = QStringLiteral("__Reg__Can_Not_Name__");
inline const QString kRegDataError = QStringLiteral("__Reg__Data_Error__");
inline const QString kRegDataNotSafe = QStringLiteral("__Reg__Data_NotSafe__");
inline const QString kRegDbError = QStringLiteral("__Reg__DB_Error__");
inline const QString kRegError0000 = QStringLiteral("__Reg__Error0000__");

// The picture upload's own refusals, given before anything is sent (see UploadPictureFile).
inline const QString kUploadNoFile = QStringLiteral("文件不存在，上传失败！");
inline const QString kUploadWrongType = QStringLiteral("不支持此文件类型上传。");

// The reply's first characters, as many as code has, equal code. Qt::CaseInsensitive compares them
// upper-cased, the way the replies have always been read (Qt's case folding would also take the
// Kelvin sign for a K).
bool ReplyStartsWith(const QString& reply, const QString& code, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// What follows code's place in the reply; whether the reply opens with code is not checked. For
// kOK_0001 the one character after it is skipped too (the payload of "OK_0001" + separator +
// payload starts at the 9th character).
QString ReplyPayload(const QString& reply, const QString& code);
// "Error_0001" ... "Error_0020": the numbered error code n.
QString ErrorCode(int n);

// ---- picture upload

// A file's size in kilobytes as the service counts it: its length / 1024 - 1, rounded to the
// nearest whole number with halves to the even one (513,536 bytes are 500 KB, one more 501).
qint64 UploadSizeKb(qint64 length);
// UploadSizeKb of the file's length; 0 for a missing file.
qint64 FileSizeKb(const QString& path);

// The frame both upload methods share: "文件不存在，上传失败！" when no file is at the path with
// its blanks removed, "不支持此文件类型上传。" when the path's last four characters, lower-cased,
// are not .jpg .gif .png .bmp or .swf; else the file is read, one zero byte appended (the service
// expects it), and method of the image web service is called with the arguments that arguments
// makes of the extension and those bytes. Returns the reply unchanged, or "Error_0000" when
// reading the file or any step of the call fails. Shows nothing. progress, when given, hears the
// request's bytes sent of its total while the call waits.
QString SendFileToImageService(
    const QString& path, const QString& method,
    const std::function<QList<SoapArgument>(const QString& ext, const QByteArray& bytes)>& arguments,
    const std::function<void(qint64 sent, qint64 total)>& progress = {});

// Sends one picture to the image web service (UploadFile01) through SendFileToImageService.
QString UploadPictureFile(const QString& path, const QString& folder, const QString& nameMode,
                          const QString& remoteName, const QString& description,
                          const std::function<void(qint64 sent, qint64 total)>& progress = {});
