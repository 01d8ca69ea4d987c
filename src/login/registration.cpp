#include "login/registration.h"

#include "foundation/htmltext.h"
#include "foundation/md5.h"
#include "foundation/servicecall.h"
#include "foundation/table.h"
#include "foundation/tabletext.h"
#include "login/registercheck.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/vbtext.h"

#include <QDate>

namespace {

const QString kCr = QStringLiteral("\r");

// A calendar date of the year, month and day texts; only plain digits count.
bool IsValidDate(const QString& year, const QString& month, const QString& day) {
    auto number = [](const QString& s, int& out) {
        if (s.isEmpty()) return false;
        for (QChar c : s)
            if (c < u'0' || c > u'9') return false;
        bool ok = false;
        out = s.toInt(&ok);
        return ok;
    };
    int y = 0, m = 0, d = 0;
    if (!number(year, y) || !number(month, m) || !number(day, d)) return false;
    return QDate(y, m, d).isValid();
}

}  // namespace

QString ValidateRegistration(const RegistrationEntries& e) {
    const QString name = e.userName;
    const QString trimmedName = vb::Trim(name);
    QStringList problems;  // texts in the order found; rule 1 can only be the first

    const bool nameTooShort = AnsiCodec::byteLength(trimmedName) < 5;
    if (nameTooShort) problems << QStringLiteral("、会员名的长度必须大于5位；");
    if (!trimmedName.isEmpty() && GetCharClass(trimmedName.left(1)) >= 2)
        problems << QStringLiteral("、会员名的起始字符必须是字母或汉字；");
    for (int i = 0; i < trimmedName.size(); ++i) {
        const int cls = GetCharClass(trimmedName.mid(i, 1));
        if (cls == 4 || cls == 5) {
            problems << QStringLiteral("、会员名只能由小写字母a~z、数字0~9、下划线或汉字组成；");
            break;
        }
    }
    if (name.contains(QStringLiteral("zuq")) && name.contains(QStringLiteral("k")))
        problems << QStringLiteral("、会员名不能同时包含“zuq”和“k”；");
    if (name.contains(QStringLiteral("小")) && name.contains(QStringLiteral("二")))
        problems << QStringLiteral("、会员名不能同时包含“小”字和“二”字；");
    if (name.contains(QStringLiteral("zuq网"))) problems << QStringLiteral("、会员名不能包含“zuq网”；");

    if (e.password1.size() < 6 || e.password1.size() > 16)
        problems << QStringLiteral("、密码的位数必须在6-16个字符之间；");
    if (e.password2 != e.password1) problems << QStringLiteral("、密码与重复密码必须相符；");
    if (vb::Trim(e.question).isEmpty()) problems << QStringLiteral("、忘记密码的提示问题不能为空；");
    if (vb::Trim(e.answer).size() < 2) problems << QStringLiteral("、忘记密码的问题答案必须大于或等于2个字符；");

    const QString email = vb::Trim(e.email);
    if (email.isEmpty()) problems << QStringLiteral("、电子邮箱不能为空；");
    else if (!e.email.contains(QLatin1Char('@')) || !e.email.contains(QLatin1Char('.')))
        problems << QStringLiteral("、电子邮箱格式不对；");

    const QString year = vb::Trim(e.year);
    if (!vb::IsNumeric(e.year) || year.size() != 4)
        problems << QStringLiteral("、出生日期的年份填写错误(必须是4位数的数字)；");
    else if (!year.startsWith(QStringLiteral("19")) && !year.startsWith(QStringLiteral("20")))
        problems << QStringLiteral("、出生年份的头两位数必须是“19”或“20”；");
    else if (!IsValidDate(year, e.month, e.day))
        problems << QStringLiteral("、出生日期不是一个有效的日期(例如某些月分是没有31日的)；");

    if (vb::Trim(e.occupation).isEmpty()) problems << QStringLiteral("、职业不能为空；");
    if (vb::Trim(e.key).compare(e.captchaText, Qt::CaseInsensitive) != 0)
        problems << QStringLiteral("、验证字符与图片中的文字不相符；");

    if (problems.isEmpty()) return QString();
    QString list;
    for (int i = 0; i < problems.size(); ++i) {
        // Every problem starts a line, but the name-length problem, which can only come first.
        if (i > 0 || !nameTooShort) list += kCr;
        list += QString::number(i + 1) + problems[i];
    }
    list.chop(1);
    list += QStringLiteral("。");
    return QStringLiteral("您的注册信息有以下方面需要修改才能继续提交：") + kCr + kCr + list;
}

QStringList PasswordQuestions() {
    return {
        QStringLiteral("您最爱看的一部电影的名称是？"),
        QStringLiteral("您的第一辆自行车是什么牌子的？"),
        QStringLiteral("您最爱吃菜的菜名是？"),
        QStringLiteral("您的高中班主任是谁？"),
        QStringLiteral("您的初中语文老师是谁？"),
        QStringLiteral("您最爱读的一本书是？"),
        QStringLiteral("您最喜欢的一首歌是？"),
        QStringLiteral("您的父亲或母亲的名字？"),
        QStringLiteral("您最喜欢的运动员是？"),
        QStringLiteral("您的小学学校是什么校名？"),
        QStringLiteral("您的家乡是？"),
    };
}

QString ProvinceListFile() { return paths::SharedFile(QStringLiteral("SF.dat")); }
QString CityListFile() { return paths::SharedFile(QStringLiteral("CS.dat")); }
QString OccupationListFile() { return paths::SharedFile(QStringLiteral("ZY.dat")); }

namespace {

// Field of every row of a table read whole, unless it is the "null" table.
QStringList Column(const Table& t, int field) {
    QStringList out;
    if (t.value(0, 0) == QLatin1String("null")) return out;
    for (int r = 0; r < t.rows(); ++r) out << t.value(r, field);
    return out;
}

// Field 0 of the first selected row, unless the selection is the "null" table.
std::optional<QString> FirstCode(const Table& selection) {
    if (selection.value(0, 0) == QLatin1String("null")) return std::nullopt;
    return selection.value(0, 0);
}

}  // namespace

QStringList ProvinceNames() { return Column(ReadTableFile(ProvinceListFile(), QStringLiteral("SF")), 1); }
QStringList OccupationNames() { return Column(ReadTableFile(OccupationListFile(), QStringLiteral("ZY")), 1); }

QStringList CityNames(const QString& province) {
    return Column(SelectTableRows(CityListFile(), QStringLiteral("CS"), 3, province), 2);
}

std::optional<QString> ProvinceCodeOf(const QString& province) {
    return FirstCode(SelectTableRows(ProvinceListFile(), QStringLiteral("SF"), 1, province));
}

std::optional<QString> CityCodeOf(const QString& city, const QString& provinceCode) {
    const Table rows = SelectTableRows(CityListFile(), QStringLiteral("CS"), 2, city);
    if (rows.value(0, 0) == QLatin1String("null")) return std::nullopt;
    for (int r = 0; r < rows.rows(); ++r)
        if (rows.value(r, 1) == provinceCode) return rows.value(r, 0);
    return std::nullopt;
}

std::optional<QString> OccupationCodeOf(const QString& occupation) {
    return FirstCode(SelectTableRows(OccupationListFile(), QStringLiteral("ZY"), 1, occupation));
}

bool IsListedRegistration(const QStringList& a) {
    if (a.size() < 14) return false;
    const bool sexListed = (a[10] == QStringLiteral("男") && a[11] == QLatin1String("1")) ||
                           (a[10] == QStringLiteral("女") && a[11] == QLatin1String("0"));
    return ProvinceCodeOf(a[6]) == a[7] && CityCodeOf(a[8], a[7]) == a[9] && sexListed &&
           OccupationCodeOf(a[12]) == a[13];
}

QStringList RegisterFirstArguments(const RegistrationEntries& e, const RegistrationIdentity& id) {
    const bool female = e.female;
    return {
        vb::Trim(e.userName).toLower(),
        Md5Hex(e.password1),
        e.question,
        e.answer,
        vb::Trim(e.year) + QLatin1Char('-') + e.month + QLatin1Char('-') + e.day,
        e.email,
        e.province,
        id.provinceCode,
        e.city,
        id.cityCode,
        female ? QStringLiteral("女") : QStringLiteral("男"),
        female ? QStringLiteral("0") : QStringLiteral("1"),
        e.occupation,
        id.occupationCode,
        id.localIp,
        QString::number(id.volumeSerial),
    };
}

QStringList RegisterArguments(const QStringList& firstSixteen, const QString& userName) {
    QStringList args = firstSixteen;
    args << RegisterCheckCode(firstSixteen, userName) << QStringLiteral("1");
    return args;
}

RegisterReply ClassifyRegisterReply(const QString& reply) {
    if (ReplyStartsWith(reply, kRegOk)) return RegisterReply::Ok;
    const std::pair<const QString&, RegisterReply> tags[] = {
        {kRegFalse, RegisterReply::NameTaken},
        {kRegNextHour, RegisterReply::NextHour},
        {kRegCanNotName, RegisterReply::NameRefused},
        {kRegDataError, RegisterReply::KeyFailed},
        {kRegDataNotSafe, RegisterReply::NotSafe},
        {kRegDbError, RegisterReply::DatabaseError},
        {kRegError0000, RegisterReply::Error0000},
    };
    for (const auto& [tag, kind] : tags)
        if (reply.contains(tag)) return kind;
    return RegisterReply::Unknown;
}

QString RegisterRefusalMessage(RegisterReply kind, const QString& reply, const QString& nameAsTyped) {
    switch (kind) {
    case RegisterReply::NameTaken:
        return QStringLiteral("会员名：“") + nameAsTyped + QStringLiteral("”已经被注册，请重新输入新的会员名。");
    case RegisterReply::NextHour:
        return QStringLiteral("非常抱歉！在当前的小时内(") + GetTextBetween(reply, QStringLiteral("/"), QStringLiteral("["))
            + QStringLiteral(")已有IP地址前3段与您的IP(") + GetTextBetween(reply, QStringLiteral("["), QStringLiteral("]"))
            + QStringLiteral(")") + kCr
            + QStringLiteral("相同的用户进行了注册，为了防止暴力注册，本系统在此种情况下(每小时)只允许注册一位用户。") + kCr
            + QStringLiteral("请您在下一个整点开始后再注册或者断网重新拨号(更换IP地址)后再试，由此给您带来的不便，我们深表歉意！");
    case RegisterReply::NameRefused:
        return QStringLiteral("抱歉！您不能注册会员名：“") + nameAsTyped + QStringLiteral("”，请重新输入新的会员名。");
    case RegisterReply::KeyFailed:
        return QStringLiteral("生成密钥失败，您可能无法在此台电脑上完成注册。");
    case RegisterReply::NotSafe:
        return QStringLiteral("您的注册销信息中含有对服务器操作的关键字（英文单词），请您检查修改后再继续。");
    case RegisterReply::DatabaseError:
        return QStringLiteral("连接Orbel网络数据库失败，请您稍后再试...");
    case RegisterReply::Error0000:
        return QStringLiteral("抱歉！遇到意外错误，请您在退出此界面后重新进行注册操作。");
    case RegisterReply::Ok:
    case RegisterReply::Unknown:
        break;
    }
    return QString();
}

QString MaskedPassword(const QString& password) {
    if (password.size() < 2) return password;
    return password.left(1) + QString(password.size() - 2, QLatin1Char('*')) + password.right(1);
}

QString RegistrationSuccessMessage(const QString& reply, const QString& nameAsTyped, const QString& password) {
    QString rest = reply;
    rest.remove(kRegOk);
    const qsizetype at = rest.indexOf(kRegArea);
    const QString area = at < 0 ? rest : rest.mid(at + kRegArea.size());
    return QStringLiteral("新会员注册成功！欢迎 ") + nameAsTyped + QStringLiteral(" 加入Orbel的大家庭！") + kCr + kCr
        + QStringLiteral("请在返回登录界面后输入您的注册密码[") + MaskedPassword(password)
        + QStringLiteral("]登录本软件。") + kCr + kCr + area;
}

bool FilterYearText(QString& text) {
    if (text.isEmpty() || vb::IsNumeric(text)) return false;
    QString digits;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9') digits += c;
    text = digits;
    return true;
}
