#include "foundation/folders.h"

#include "foundation/htmltext.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/safefile.h"
#include "platform/urlopening.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFileInfo>

namespace {

void ensureFolder(const QString& path) {
    // Anything of that name, a file included, counts as present.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) return;
    if (!QDir().mkdir(path))
        throw VbError(VbError::PathFileAccess, QStringLiteral("路径/文件访问错误: ") + path);
}

// The runtime's numeric-text test, which also takes thousands separators inside the whole part
// ("1,000").
bool readsAsNumber(const QString& text) {
    QString s;
    bool seenDigit = false, inWholePart = true;
    for (QChar c : text) {
        if (inWholePart && c == u',' && seenDigit) continue;
        if (c >= u'0' && c <= u'9') seenDigit = true;
        else if (c == u'.' || c == u'e' || c == u'E') inWholePart = false;
        s.append(c);
    }
    return vb::IsNumeric(s);
}

}  // namespace

QString MemberFolder(const QString& member) {
    return paths::InRoot(QStringLiteral("UserData/") + paths::SafeComponent(member));
}

QString MemberPath(std::initializer_list<QString> components) {
    QString path = UserFolder;
    for (const QString& c : components) path += QLatin1Char('/') + paths::SafeComponent(c);
    return path;
}

void EnsureDataFolders() {
    ensureFolder(paths::InRoot(QStringLiteral("data")));
    ensureFolder(paths::InRoot(QStringLiteral("data/Temp")));
    ensureFolder(paths::InRoot(QStringLiteral("UserData")));
    if (CurrentUserName.isEmpty()) return;
    const QString member = MemberFolder(CurrentUserName);
    ensureFolder(member);
    ensureFolder(member + QStringLiteral("/UpLoadPicture"));
    ensureFolder(MemberTempPath());
    ensureFolder(member + QStringLiteral("/data"));
}

void RemoveInterruptedWrites() {
    paths::RemoveSafeWriteLeftovers(paths::DataRoot(), false);
    paths::RemoveSafeWriteLeftovers(paths::InRoot(QStringLiteral("data")), true);
    paths::RemoveSafeWriteLeftovers(paths::InRoot(QStringLiteral("UserData")), true);
}

QString MemberTempPath() { return MemberFolder(CurrentUserName) + QStringLiteral("/temp"); }

QString MemberTempPath(const QString& fileName) {
    return MemberTempPath() + QLatin1Char('/') + paths::SafeComponent(fileName);
}

QString CheckDomainName(const QString& rawLabel) {
    try {
        const QString label = vb::Trim(rawLabel).toLower();
        QString list;
        int n = 1;
        if (label.size() < 4) {
            list = QStringLiteral("1、域名的长度必须大于或等于4位；");
            n = 2;
        } else {
            const QString prefix = label.left(3);
            if (prefix == QLatin1String("www")) {
                list += QString::number(n) + QStringLiteral("、不能注册前三位字符是“www”的域名(因为有特殊用途)；");
                ++n;
            }
            for (const char* word : {"web", "wap", "img", "frm", "sys"}) {
                if (prefix == QLatin1String(word) && readsAsNumber(label.mid(3))) {
                    list += QString::number(n) + QStringLiteral("、不能注册前三位字符是“") + QLatin1String(word)
                        + QStringLiteral("”而后面紧跟着数字串的域名(因为有特殊用途)；");
                    ++n;
                }
            }
        }
        const QString charItem = QStringLiteral("、域名只能由字母a~z、数字0~9组成；");
        for (QChar c : label) {
            const int cls = GetCharClass(QString(c));
            if (cls != 0 && cls != 2 && !list.contains(charItem)) {
                list += QLatin1Char('\r') + QString::number(n) + charItem;
                ++n;
            }
        }
        if (label.contains(QLatin1String("vym"))) {
            list += QLatin1Char('\r') + QString::number(n) + QStringLiteral("、域名不能包含“vym”；");
            ++n;
        }
        if (list.isEmpty()) return QString();
        list.chop(1);
        list += QStringLiteral("。");
        return QStringLiteral("您要注册的域名有以下方面需要修改才能成功注册：\r\r") + list;
    } catch (...) {
        return QStringLiteral("抱歉！遇到意外错误，请您稍后再试...");
    }
}

bool OpenUrlInBrowser(const QString& url) {
    const urlopening::Openers openers = urlopening::current();
    try {
        if (openers.openWithDesktop(url)) return true;
    } catch (...) {
    }
    try {
        if (openers.startBrowser(url)) return true;
    } catch (...) {
    }
    try {
        openers.setClipboardText(url);
        MsgBox(QStringLiteral("调用IE打开网页失败，网页的网址：“") + url
                   + QStringLiteral("”已复制到剪贴板，若需要打开此网页，请您手动打开IE然后粘贴网址打开。"),
               vbInformation, QStringLiteral("提示"));
    } catch (...) {
    }
    return false;
}
