#pragma once
// The login's rules that need no window: the input checks, the reply tags and tables, the
// notices and the advertisement pages of the login and waiting windows.
#include "foundation/table.h"

#include <QDate>
#include <QSize>
#include <QString>

#include <functional>

class VbError;

// ---- messages (title "提示", information icon)
inline const QString kLoginNameTooLong = QStringLiteral("用户名太长！(不符合本软件的注册限制)");
inline const QString kLoginEmptyInput = QStringLiteral("用户名或密码不能为空。");
inline const QString kLoginWrongPassword = QStringLiteral("用户名或密码错误！");
inline const QString kLoginDatabaseDown = QStringLiteral("[错误:102]无法连接到Orbel网络数据库，请您稍后再试。");
inline const QString kLoginBadInput = QStringLiteral("用户名或密码输入有误！");
inline const QString kLoginRecordMissing = QStringLiteral("遇到意外错误，请您稍后再试...");
// The edition refusal quotes the member box exactly as typed.
QString LoginEditionRefusal(const QString& typedName);
// The exception path: "错误:" + number + description + two carriage returns + the hint.
QString LoginFailureMessage(const VbError& e);

// ---- the screen class (15 twips per pixel), kept as SmallScreen
bool IsSmallScreen(const QSize& screenPixels);

// ---- the input checks before any call: name length, empty boxes, the name as a folder name
enum class LoginInputProblem { None, NameTooLong, NameEmpty, PasswordEmpty, NameUnsafe };
// The name and the password as they stand in their boxes.
LoginInputProblem CheckLoginInput(const QString& name, const QString& password);

// ---- the reply's tag, tested in this order
enum class LoginReplyKind { Ok, WrongPassword, DatabaseDown, BadInput, Unknown };
LoginReplyKind ClassifyLoginReply(const QString& reply);
// The reply's table text: the tag removed and the escaped separators restored.
QString LoginReplyText(const QString& reply);

// ---- the service notices: rows 0 to 4 of SysNotices, each when its field 1 is "1"
struct SysNoticeHandlers {
    std::function<void(const QString& url)> showPage;  // frmSysInfo on that address, modal
    std::function<void(const QString& text)> message;  // a message box titled "提示"
};
// Acts on the notices in order. Returns false when the message-and-quit notice was shown: the
// program is to end. A table with fewer than five rows or three fields raises VbError 9 where the
// missing entry is reached, as the old record reader did.
bool ProcessSysNotices(const Table& notices, const QString& realNameDone, const QString& member,
                       const QString& prefix, const SysNoticeHandlers& handlers);

// ---- advertisement pages
struct AdPick {
    QString page;  // the page number in the address
    QString next;  // what the global setting becomes
};
// The login window's page from global setting 1: "0" draws 1 to 5, empty counts as -1 and shows
// page 0; the setting moves on by one, wrapping from 5 to 1. Raises VbError 13 (type mismatch)
// for a setting that is no number.
AdPick PickLoginAd(const QString& stored, const std::function<int()>& draw1to5);
QString LoginAdUrl(const QString& page, const QDate& today);
// The waiting window's page from global setting 4: empty or "0" draws 1 to 5.
AdPick PickWaitingAd(const QString& stored, const std::function<int()>& draw1to5);
QString WaitingAdUrl(const QString& page, const QDate& today, const QString& member, const QString& prefix);
