#include "mainwindow/spacenotices.h"

#include "foundation/folders.h"
#include "foundation/tabletext.h"
#include "platform/vbdate.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <optional>

namespace {

const QChar CR = QLatin1Char('\r');

// "yyyy年mm月dd日" with zero-padded month and day.
QString PaddedChineseDate(const QDate& d) {
    return QStringLiteral("%1年%2月%3日")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

// "yyyy年m月d日" without leading zeros.
QString ShortChineseDate(const QDate& d) {
    return QStringLiteral("%1年%2月%3日").arg(d.year()).arg(d.month()).arg(d.day());
}

// The shortest decimal text of the number ("100", "97.65625").
QString ShortestDecimal(double x) { return QString::number(x, 'g', 15); }

}  // namespace

FeeLine BuildFeeLine(const Table& spacePrices, const QString& quotaKb, const QString& endDate,
                     const QString& serverDate) {
    FeeLine out;
    // Without the fee table there is nothing true to say about the member's fee or date.
    if (spacePrices.isEmpty() || spacePrices.isNull()) return out;

    const QString quota = ShortestDecimal(vb::Val(quotaKb) / 1024.0);
    QString fee = QStringLiteral("0");
    QString freeDays = QStringLiteral("60");
    for (int r = 0; r < spacePrices.rows(); ++r) {
        if (spacePrices.value(r, 0) == quota) {
            fee = spacePrices.value(r, 1);
            break;
        }
    }

    if (fee != QLatin1String("0")) {
        out.showXF = true;
        const QString head = QStringLiteral("年服务费：") + fee + QStringLiteral("元(含") + quota +
                             QStringLiteral("M空间)  服务到期日期：");
        const QString site = QStringLiteral("网站(软件)");
        if (endDate == QLatin1String("0")) {
            out.text = site + head + QStringLiteral("服务已过期");
            return out;
        }
        const std::optional<QDate> end = vb::DateFromText(endDate);
        const std::optional<QDate> today = vb::DateFromText(serverDate);
        if (!end || !today) {
            // The first tick ends the program over such a date; until then the text stands as sent.
            out.text = site + head + endDate;
        } else if (end->addDays(1) > *today) {
            out.text = site + head + PaddedChineseDate(*end);
        } else {
            out.text = head + PaddedChineseDate(*end) + QStringLiteral("(已过期)");
        }
        return out;
    }

    for (int r = 0; r < spacePrices.rows(); ++r) {
        if (spacePrices.value(r, 1) == QLatin1String("0")) {
            freeDays = spacePrices.value(r, 0);
            break;
        }
    }
    out.showMF = true;
    out.text = QStringLiteral("服务费：免费(含") + quota + QStringLiteral("M空间,您必须至少") + freeDays +
               QStringLiteral("天内登录本软件一次)");
    return out;
}

FeeLine MemberFeeLine() {
    const Table prices = ReadTableFile(MemberPath({QStringLiteral("u1.dat")}), QStringLiteral("SpacePric"));
    return BuildFeeLine(prices, LoginField(17), LoginField(20), LoginField(3));
}

ExpiryNotice CheckSpaceExpiry(const QString& member, const QString& endDate, const QString& serverDate,
                              const QString& mainHost) {
    ExpiryNotice out;
    const QString greeting = QStringLiteral("尊敬的用户 ") + member + QStringLiteral("，您好！");
    const QString renewal = QStringLiteral("    您可以点击软件主界面上的“购买网络空间”按钮进行续费或者登录“") + mainHost +
                            QStringLiteral("”进行续费。");
    auto noSpace = [&] {
        out.kind = ExpiryNoticeKind::NoSpace;
        out.title = QStringLiteral("网络空间 提示");
        out.text = greeting +
                   QStringLiteral("您不是Orbel网络空间的用户。请您尽快购买Orbel网络空间，以便您更好地使用Tavolin软件。") + CR +
                   CR + CR +
                   QStringLiteral("注：购买Orbel网络空间后，您可注册Orbel域名、创自己的网站、上传照片、编写博客及微博等，"
                                  "让您的朋友和家人更好地分享您的信息。") +
                   CR + CR + QStringLiteral("    您可以点击软件主界面上的“购买网络空间”按钮或者登录“") + mainHost +
                   QStringLiteral("”可购买Orbel网络空间。");
    };

    if (endDate == QLatin1String("0")) {
        noSpace();
        return out;
    }
    const std::optional<QDate> end = vb::DateFromText(endDate);
    const std::optional<QDate> today = vb::DateFromText(serverDate);
    if (!end || !today) {
        out.kind = ExpiryNoticeKind::UnreadableDate;
        out.title = QStringLiteral("提示");
        out.text = QStringLiteral("遇到意外错误，请您稍后再试...");
        return out;
    }
    const qint64 d = today->daysTo(*end);
    const QString date = ShortChineseDate(*end);
    if (d >= 0 && d <= 10) {
        out.kind = ExpiryNoticeKind::WillExpire;
        out.title = QStringLiteral("网络空间 提示");
        out.text = greeting + QStringLiteral("您的Orbel网络空间将于") + date +
                   QStringLiteral("到期，为了避免您的损失，请及时给您") + CR + CR + QStringLiteral("的Orbel网络空间续费。") +
                   CR + CR + CR +
                   QStringLiteral("注：网络空间过期后，您的网络空间上的所有信息将会被删除，所注册的域名将会释放给其他用户注册。") +
                   CR + CR + renewal;
    } else if (d >= -20 && d <= -1) {
        out.kind = ExpiryNoticeKind::HasExpired;
        out.title = QStringLiteral("网络空间 提示");
        out.text = greeting + QStringLiteral("您的Orbel网络空间已于") + date +
                   QStringLiteral("到期，为了避免您的损失，请尽快给您") + CR + CR + QStringLiteral("的Orbel网络空间续费。") +
                   CR + CR + CR +
                   QStringLiteral("注：网络空间过期后，您的网络空间上的所有信息将会被删除，所注册的域名将随时会释放给其他用户注册。") +
                   CR + CR + renewal;
    } else if (d < -20) {
        noSpace();
    }
    return out;
}
