// The fee line of the tools bar and the expiry reminder of the first tick.
#include "mainwindow/spacenotices.h"

#include <gtest/gtest.h>

namespace {

Table Prices(const QList<QStringList>& rows) {
    Table t(int(rows.size()), 2);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) t.set(r, c, rows[r][c]);
    return t;
}

const Table kPrices = Prices({{"60", "0"}, {"100", "100"}, {"200", "180"}});

struct FeeCase {
    const char* name;
    Table prices;
    const char* quotaKb;
    const char* endDate;
    const char* serverDate;
    const char* text;
    bool mf;
    bool xf;
};

TEST(FeeLine, TableOfCases) {
    const FeeCase cases[] = {
        {"no fee table: nothing made up", Table::null(), "102400", "2024-06-01", "2024-05-10", "", false, false},
        {"paying member", kPrices, "102400", "2024-06-01", "2024-05-10",
         "网站(软件)年服务费：100元(含100M空间)  服务到期日期：2024年06月01日", false, true},
        {"paying member without space", kPrices, "204800", "0", "2024-05-10",
         "网站(软件)年服务费：180元(含200M空间)  服务到期日期：服务已过期", false, true},
        {"ends today: not yet expired", kPrices, "102400", "2024-05-10", "2024-05-10",
         "网站(软件)年服务费：100元(含100M空间)  服务到期日期：2024年05月10日", false, true},
        {"ended yesterday", kPrices, "102400", "2024-05-09", "2024-05-10",
         "年服务费：100元(含100M空间)  服务到期日期：2024年05月09日(已过期)", false, true},
        {"slashes and a time are calendar dates", kPrices, "102400", "2024/6/1 23:59:59", "2024/5/10 8:00",
         "网站(软件)年服务费：100元(含100M空间)  服务到期日期：2024年06月01日", false, true},
        {"quota without a fee row: free, days of the first free row", Prices({{"100", "100"}, {"30", "0"}, {"45", "0"}}),
         "51200", "2024-06-01", "2024-05-10", "服务费：免费(含50M空间,您必须至少30天内登录本软件一次)", true, false},
        {"no free row: 60 days", Prices({{"100", "100"}}), "51200", "0", "2024-05-10",
         "服务费：免费(含50M空间,您必须至少60天内登录本软件一次)", true, false},
        {"only the free offer", Prices({{"45", "0"}}), "0", "0", "2024-05-10",
         "服务费：免费(含0M空间,您必须至少45天内登录本软件一次)", true, false},
        {"a quota that is no whole number of megabytes", Prices({{"45", "0"}}), "150000", "0", "2024-05-10",
         "服务费：免费(含146.484375M空间,您必须至少45天内登录本软件一次)", true, false},
        {"a quota that is no number counts as 0", Prices({{"45", "0"}}), "abc", "0", "2024-05-10",
         "服务费：免费(含0M空间,您必须至少45天内登录本软件一次)", true, false},
        {"an unreadable end date stands as sent", kPrices, "102400", "2024-02-30", "2024-05-10",
         "网站(软件)年服务费：100元(含100M空间)  服务到期日期：2024-02-30", false, true},
    };
    for (const FeeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FeeLine f = BuildFeeLine(c.prices, QString::fromUtf8(c.quotaKb), QString::fromUtf8(c.endDate),
                                       QString::fromUtf8(c.serverDate));
        EXPECT_EQ(f.text, QString::fromUtf8(c.text));
        EXPECT_EQ(f.showMF, c.mf);
        EXPECT_EQ(f.showXF, c.xf);
    }
}

struct ExpiryCase {
    const char* endDate;
    const char* serverDate;
    ExpiryNoticeKind kind;
};

TEST(SpaceExpiry, DaysLeftChooseTheMessage) {
    const ExpiryCase cases[] = {
        {"2024-05-20", "2024-05-10", ExpiryNoticeKind::WillExpire},  // 10 days left
        {"2024-05-21", "2024-05-10", ExpiryNoticeKind::None},        // 11
        {"2024-05-10", "2024-05-10", ExpiryNoticeKind::WillExpire},  // the same day
        {"2024-05-09", "2024-05-10", ExpiryNoticeKind::HasExpired},  // a day ago
        {"2024-04-20", "2024-05-10", ExpiryNoticeKind::HasExpired},  // 20 days ago
        {"2024-04-19", "2024-05-10", ExpiryNoticeKind::NoSpace},     // 21 days ago
        {"0", "2024-05-10", ExpiryNoticeKind::NoSpace},
        {"0", "garbage", ExpiryNoticeKind::NoSpace},                 // no end date: the service date is not read
        {"2024/5/20 18:30", "2024/5/10 23:59:59", ExpiryNoticeKind::WillExpire},  // times do not count
        {"2025-01-03", "2024-12-31", ExpiryNoticeKind::WillExpire},  // across the year
        {"2024-13-01", "2024-05-10", ExpiryNoticeKind::UnreadableDate},
        {"", "2024-05-10", ExpiryNoticeKind::UnreadableDate},
        {"2024-05-20", "", ExpiryNoticeKind::UnreadableDate},
        {"20.5.2024", "2024-05-10", ExpiryNoticeKind::UnreadableDate},
    };
    for (const ExpiryCase& c : cases) {
        SCOPED_TRACE(std::string(c.endDate) + " / " + c.serverDate);
        const ExpiryNotice n = CheckSpaceExpiry(QStringLiteral("zhang"), QString::fromUtf8(c.endDate),
                                                QString::fromUtf8(c.serverDate), QStringLiteral("www.sitehost.test"));
        EXPECT_EQ(n.kind, c.kind);
        EXPECT_EQ(n.text.isEmpty(), c.kind == ExpiryNoticeKind::None);
    }
}

TEST(SpaceExpiry, ExactTexts) {
    const QString host = QStringLiteral("www.sitehost.test");
    const QString renewal = QStringLiteral("    您可以点击软件主界面上的“购买网络空间”按钮进行续费或者登录“www.sitehost.test”进行续费。");

    ExpiryNotice n = CheckSpaceExpiry(QStringLiteral("zhang"), QStringLiteral("2024-05-15"), QStringLiteral("2024-05-10"), host);
    EXPECT_EQ(n.title, QStringLiteral("网络空间 提示"));
    EXPECT_EQ(n.text, QStringLiteral("尊敬的用户 zhang，您好！您的Orbel网络空间将于2024年5月15日到期，为了避免您的损失，请及时给您\r\r"
                                     "的Orbel网络空间续费。\r\r\r注：网络空间过期后，您的网络空间上的所有信息将会被删除，"
                                     "所注册的域名将会释放给其他用户注册。\r\r") + renewal);

    n = CheckSpaceExpiry(QStringLiteral("zhang"), QStringLiteral("2024-05-01"), QStringLiteral("2024-05-10"), host);
    EXPECT_EQ(n.title, QStringLiteral("网络空间 提示"));
    EXPECT_EQ(n.text, QStringLiteral("尊敬的用户 zhang，您好！您的Orbel网络空间已于2024年5月1日到期，为了避免您的损失，请尽快给您\r\r"
                                     "的Orbel网络空间续费。\r\r\r注：网络空间过期后，您的网络空间上的所有信息将会被删除，"
                                     "所注册的域名将随时会释放给其他用户注册。\r\r") + renewal);

    n = CheckSpaceExpiry(QStringLiteral("zhang"), QStringLiteral("0"), QStringLiteral("2024-05-10"), host);
    EXPECT_EQ(n.title, QStringLiteral("网络空间 提示"));
    EXPECT_EQ(n.text, QStringLiteral("尊敬的用户 zhang，您好！您不是Orbel网络空间的用户。请您尽快购买Orbel网络空间，以便您更好地使用Tavolin软件。"
                                     "\r\r\r注：购买Orbel网络空间后，您可注册Orbel域名、创自己的网站、上传照片、编写博客及微博等，"
                                     "让您的朋友和家人更好地分享您的信息。\r\r    您可以点击软件主界面上的“购买网络空间”按钮或者登录“"
                                     "www.sitehost.test”可购买Orbel网络空间。"));

    n = CheckSpaceExpiry(QStringLiteral("zhang"), QStringLiteral("soon"), QStringLiteral("2024-05-10"), host);
    EXPECT_EQ(n.title, QStringLiteral("提示"));
    EXPECT_EQ(n.text, QStringLiteral("遇到意外错误，请您稍后再试..."));
}

}  // namespace
