#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

#include "foundation/cipher.h"
#include "foundation/md5.h"
#include "foundation/table.h"
#include "foundation/tabletext.h"
#include "login/registercheck.h"
#include "login/registration.h"
#include "platform/vbtext.h"
#include "support/fixtures.h"

namespace {

const QString kHeader = QStringLiteral("您的注册信息有以下方面需要修改才能继续提交：\r\r");

RegistrationEntries validEntries() {
    RegistrationEntries e;
    e.userName = QStringLiteral("Alice_2");
    e.password1 = QStringLiteral("Pa$s1234");
    e.password2 = e.password1;
    e.question = QStringLiteral("您的家乡是？");
    e.answer = QStringLiteral("杭州");
    e.email = QStringLiteral("alice@example.com");
    e.year = QStringLiteral("1990");
    e.month = QStringLiteral("02");
    e.day = QStringLiteral("28");
    e.province = QStringLiteral("浙江省");
    e.city = QStringLiteral("杭州市");
    e.occupation = QStringLiteral("学生");
    e.key = QStringLiteral("aB3d");
    e.captchaText = QStringLiteral("aB3d");
    return e;
}

// The whole message of one problem that is not the name-length one.
QString single(const QString& item) {
    QString list = QStringLiteral("\r1") + item;
    list.chop(1);
    return kHeader + list + QStringLiteral("。");
}

}  // namespace

TEST(RegistrationCheck, ValidEntriesPass) {
    EXPECT_EQ(ValidateRegistration(validEntries()), QString());
    // Exactly five bytes pass the length rule, Chinese characters counting two.
    for (const QString& name : {QStringLiteral("abcde"), QStringLiteral("中文a"), QStringLiteral("  Abcde  ")}) {
        RegistrationEntries e = validEntries();
        e.userName = name;
        EXPECT_EQ(ValidateRegistration(e), QString()) << name.toStdString();
    }
}

TEST(RegistrationCheck, EveryEntryEmptyListsEightProblems) {
    RegistrationEntries e;
    e.month = QStringLiteral("01");
    e.day = QStringLiteral("01");
    e.captchaText = QStringLiteral("wxyz");
    EXPECT_EQ(ValidateRegistration(e),
              kHeader + QStringLiteral("1、会员名的长度必须大于5位；"
                                       "\r2、密码的位数必须在6-16个字符之间；"
                                       "\r3、忘记密码的提示问题不能为空；"
                                       "\r4、忘记密码的问题答案必须大于或等于2个字符；"
                                       "\r5、电子邮箱不能为空；"
                                       "\r6、出生日期的年份填写错误(必须是4位数的数字)；"
                                       "\r7、职业不能为空；"
                                       "\r8、验证字符与图片中的文字不相符。"));
}

TEST(RegistrationCheck, EachRuleFailingAlone) {
    struct Case {
        const char* what;
        std::function<void(RegistrationEntries&)> change;
        QString item;
    };
    const QList<Case> cases = {
        {"name starts with a digit", [](auto& e) { e.userName = "1alice"; }, "、会员名的起始字符必须是字母或汉字；"},
        {"name starts with _", [](auto& e) { e.userName = "_alice"; }, "、会员名的起始字符必须是字母或汉字；"},
        {"several bad characters, one problem", [](auto& e) { e.userName = "al ic-e-x y"; },
         "、会员名只能由小写字母a~z、数字0~9、下划线或汉字组成；"},
        {"zuq and k", [](auto& e) { e.userName = "zuqbook"; }, "、会员名不能同时包含“zuq”和“k”；"},
        {"小 and 二", [](auto& e) { e.userName = "小明二号"; }, "、会员名不能同时包含“小”字和“二”字；"},
        {"zuq网", [](auto& e) { e.userName = "azuq网"; }, "、会员名不能包含“zuq网”；"},
        {"password too short", [](auto& e) { e.password1 = e.password2 = "abc12"; }, "、密码的位数必须在6-16个字符之间；"},
        {"password too long", [](auto& e) { e.password1 = e.password2 = "abcdefghij1234567"; },
         "、密码的位数必须在6-16个字符之间；"},
        {"repetition differs by a blank", [](auto& e) { e.password2 = e.password1 + " "; }, "、密码与重复密码必须相符；"},
        {"question blank", [](auto& e) { e.question = "   "; }, "、忘记密码的提示问题不能为空；"},
        {"answer one character after trimming", [](auto& e) { e.answer = " a "; },
         "、忘记密码的问题答案必须大于或等于2个字符；"},
        {"e-mail blank", [](auto& e) { e.email = "  "; }, "、电子邮箱不能为空；"},
        {"e-mail without @", [](auto& e) { e.email = "alice.example.com"; }, "、电子邮箱格式不对；"},
        {"e-mail without .", [](auto& e) { e.email = "alice@example"; }, "、电子邮箱格式不对；"},
        {"year with a letter", [](auto& e) { e.year = "19a0"; }, "、出生日期的年份填写错误(必须是4位数的数字)；"},
        {"year of three digits", [](auto& e) { e.year = "199"; }, "、出生日期的年份填写错误(必须是4位数的数字)；"},
        {"year from 18..", [](auto& e) { e.year = "1899"; }, "、出生年份的头两位数必须是“19”或“20”；"},
        {"30 February", [](auto& e) { e.year = "2000"; e.day = "30"; },
         "、出生日期不是一个有效的日期(例如某些月分是没有31日的)；"},
        {"31 April", [](auto& e) { e.month = "04"; e.day = "31"; },
         "、出生日期不是一个有效的日期(例如某些月分是没有31日的)；"},
        {"occupation blank", [](auto& e) { e.occupation = " "; }, "、职业不能为空；"},
        {"captcha differs", [](auto& e) { e.key = "aB3e"; }, "、验证字符与图片中的文字不相符；"},
    };
    for (const Case& c : cases) {
        RegistrationEntries e = validEntries();
        c.change(e);
        EXPECT_EQ(ValidateRegistration(e), single(c.item)) << c.what;
    }
}

TEST(RegistrationCheck, NameLengthProblemComesFirstWithoutLineBreak) {
    for (const QString& name : {QStringLiteral("abcd"), QStringLiteral("中文"), QStringLiteral("  abcd ")}) {
        RegistrationEntries e = validEntries();
        e.userName = name;
        EXPECT_EQ(ValidateRegistration(e), kHeader + QStringLiteral("1、会员名的长度必须大于5位。")) << name.toStdString();
    }
    RegistrationEntries e = validEntries();
    e.userName = QStringLiteral("1-a");
    EXPECT_EQ(ValidateRegistration(e), kHeader + QStringLiteral("1、会员名的长度必须大于5位；"
                                                                "\r2、会员名的起始字符必须是字母或汉字；"
                                                                "\r3、会员名只能由小写字母a~z、数字0~9、下划线或汉字组成。"));
}

TEST(RegistrationCheck, CaseAndBlanks) {
    RegistrationEntries e = validEntries();
    e.userName = QStringLiteral("zuqBooK");  // rule 4 looks for a lower-case "k" only
    e.key = QStringLiteral("  AB3D ");       // the captcha ignores case and surrounding blanks
    EXPECT_EQ(ValidateRegistration(e), QString());
    e.year = QStringLiteral(" 2000 ");
    e.month = QStringLiteral("02");
    e.day = QStringLiteral("29");
    EXPECT_EQ(ValidateRegistration(e), QString());
}

TEST(RegisterCall, EighteenArgumentsInOrder) {
    RegistrationEntries e = validEntries();
    e.userName = QStringLiteral(" Alice_2 ");
    e.password1 = e.password2 = QStringLiteral(" pass word ");
    e.answer = QStringLiteral(" 杭州 ");
    e.year = QStringLiteral(" 1990");
    e.female = false;
    const RegistrationIdentity id{QStringLiteral("330000"), QStringLiteral("330100"), QStringLiteral("01"),
                                  QStringLiteral("192.168.1.20"), -123456789};
    const QStringList first = RegisterFirstArguments(e, id);
    const QStringList args = RegisterArguments(first, e.userName);
    ASSERT_EQ(args.size(), 18);
    EXPECT_EQ(args.mid(0, 16),
              (QStringList{"alice_2", Md5Hex(" pass word "), "您的家乡是？", " 杭州 ", "1990-02-28",
                           "alice@example.com", "浙江省", "330000", "杭州市", "330100", "男", "1", "学生", "01",
                           "192.168.1.20", "-123456789"}));
    // The digest is of the password as typed, blanks included, as the login digests it.
    EXPECT_NE(args[1], Md5Hex(QStringLiteral("pass word")));
    // Check code: the joined first sixteen with every blank as "zuq", the trimmed name upper-cased,
    // characters 8 to 26 of the digest.
    const QString joined = QStringLiteral(
        "alice_2zuq%1zuq您的家乡是？zuqzuq杭州zuqzuq1990-02-28zuqalice@example.comzuq浙江省zuq330000zuq杭州市"
        "zuq330100zuq男zuq1zuq学生zuq01zuq192.168.1.20zuq-123456789ALICE_2").arg(Md5Hex(" pass word "));
    EXPECT_EQ(args[16], Md5Hex(joined).mid(7, 19));
    EXPECT_EQ(args[16], "c8425879f939ef5633d");  // worked out by hand, as in RegisterCheckCode.KnownAnswers
    EXPECT_EQ(args[16].size(), 19);
    EXPECT_EQ(args[17], "1");

    e.female = true;
    const QStringList female = RegisterFirstArguments(e, id);
    EXPECT_EQ(female[10], "女");
    EXPECT_EQ(female[11], "0");
}

// The service recomputes this code with the same function, so only values worked out by hand
// show a fault. Each row gives the digested text and its digest; the code is characters 8 to 26.
TEST(RegisterCheckCode, KnownAnswers) {
    const QStringList ascii{"user01", "e52d98c459819a11775936d8dfbb7929", "q1", "a1", "1990-01-01", "u@x.cn",
                            "bj", "110000", "bjc", "110100", "m", "1", "w", "01", "10.0.0.1", "123456789"};
    const QStringList typed{"alice_2", "b7c772017ca41ec199fd3dbd7c43ba4c", "您的家乡是？", " 杭州 ", "1990-02-28",
                            "alice@example.com", "浙江省", "330000", "杭州市", "330100", "男", "1", "学生", "01",
                            "192.168.1.20", "-123456789"};
    const QStringList empty(16, QString());
    const struct { QStringList first; QString name; QString code; } cases[] = {
        // "user01zuqe52d…7929zuqq1zuq…zuq123456789USER01": e7911ae1379ae12d0c42a770abb6ee56
        {ascii, "user01", "1379ae12d0c42a770ab"},
        {ascii, " User01 ", "1379ae12d0c42a770ab"},
        // Blanks inside values become "zuq" too; GBK text enters with its spilled sign:
        // "alice_2zuqb7c7…ba4czuq您的家乡是？zuqzuq杭州zuqzuq1990-02-28zuq…zuq-123456789ALICE_2":
        // eed8483c8425879f939ef5633d926d2e
        {typed, " Alice_2 ", "c8425879f939ef5633d"},
        // Fifteen separators and no name: e54ece6fe1a52212574b09d1ed34a8be
        {empty, "", "fe1a52212574b09d1ed"},
        // The name is appended after the blanks are replaced, so its own blank stays:
        // "zuq"×15 + "AB CD": ae23d6dcde4fca8f4dc74e94ce53227a
        {empty, "ab cd", "cde4fca8f4dc74e94ce"},
        // Upper case leaves Chinese alone: "zuq"×15 + "小明ABC": 80bc097d4273d46f8a5077e3f4fc78d9
        {empty, " 小明abc ", "d4273d46f8a5077e3f4"},
        // Only spaces are trimmed: "zuq"×15 + "\tBOB": 1f17b4d377ca6e210a8993c7e6c7948f
        {empty, "\tbob ", "377ca6e210a8993c7e6"},
    };
    for (const auto& c : cases) EXPECT_EQ(RegisterCheckCode(c.first, c.name), c.code) << c.name.toStdString();
}

TEST(RegisterCall, RepliesByFirstMatchingTag) {
    const QList<std::pair<QString, RegisterReply>> cases = {
        {"__Reg__OK____Area__x", RegisterReply::Ok},
        {"x__Reg__OK__", RegisterReply::Unknown},  // success only at the start
        {"__Reg__False__", RegisterReply::NameTaken},
        {"__Reg__DB_Error____Reg__False__", RegisterReply::NameTaken},
        {"__Reg_Next_Hour__/15[10.0.0.1]", RegisterReply::NextHour},
        {"__Reg__Can_Not_Name__", RegisterReply::NameRefused},
        {"__Reg__Data_Error__", RegisterReply::KeyFailed},
        {"__Reg__Data_NotSafe__", RegisterReply::NotSafe},
        {"__Reg__DB_Error__", RegisterReply::DatabaseError},
        {"__Reg__Error0000__", RegisterReply::Error0000},
        {"", RegisterReply::Unknown},
        {"OK_0001", RegisterReply::Unknown},
    };
    for (const auto& [reply, kind] : cases) EXPECT_EQ(ClassifyRegisterReply(reply), kind) << reply.toStdString();

    EXPECT_EQ(RegisterRefusalMessage(RegisterReply::NextHour, "__Reg_Next_Hour__/15[10.0.0.1]", "x"),
              "非常抱歉！在当前的小时内(15)已有IP地址前3段与您的IP(10.0.0.1)\r"
              "相同的用户进行了注册，为了防止暴力注册，本系统在此种情况下(每小时)只允许注册一位用户。\r"
              "请您在下一个整点开始后再注册或者断网重新拨号(更换IP地址)后再试，由此给您带来的不便，我们深表歉意！");
    EXPECT_EQ(RegisterRefusalMessage(RegisterReply::NameTaken, "", " Alice "),
              "会员名：“ Alice ”已经被注册，请重新输入新的会员名。");
}

TEST(RegisterCall, SuccessMessage) {
    EXPECT_EQ(MaskedPassword("abcdef"), "a****f");
    EXPECT_EQ(RegistrationSuccessMessage("__Reg__OK__北京__Area__您的镜像服务器：华北", "Alice", "secret1"),
              "新会员注册成功！欢迎 Alice 加入Orbel的大家庭！\r\r请在返回登录界面后输入您的注册密码[s*****1]登录本软件。"
              "\r\r您的镜像服务器：华北");
    // Without the area marker the whole remainder follows.
    EXPECT_EQ(RegistrationSuccessMessage("__Reg__OK__欢迎", "Alice", "secret1"),
              "新会员注册成功！欢迎 Alice 加入Orbel的大家庭！\r\r请在返回登录界面后输入您的注册密码[s*****1]登录本软件。"
              "\r\r欢迎");
}

TEST(RegistrationYearBox, RemovesEveryOffendingCharacterAtOnce) {
    const QList<std::tuple<QString, bool, QString>> cases = {
        {"", false, ""},       {"1990", false, "1990"}, {"19a5", true, "195"},
        {"a19b9c0", true, "1990"}, {"abc", true, ""},   {"19 9", true, "199"},
    };
    for (const auto& [input, changed, output] : cases) {
        QString text = input;
        EXPECT_EQ(FilterYearText(text), changed) << input.toStdString();
        EXPECT_EQ(text, output) << input.toStdString();
    }
}

TEST(RegistrationLists, ShippedListsResolveEveryName) {
    const QStringList provinces = ProvinceNames();
    ASSERT_EQ(provinces.size(), 34) << "SF.dat not built into the share folder?";
    for (const QString& p : provinces) {
        const auto code = ProvinceCodeOf(p);
        ASSERT_TRUE(code.has_value()) << p.toStdString();
        const QStringList cities = CityNames(p);
        ASSERT_GE(cities.size(), 2) << p.toStdString();
        EXPECT_EQ(cities.last(), QString()) << "the selection's empty row closes the list";
        for (const QString& c : cities.mid(0, cities.size() - 1))
            EXPECT_TRUE(CityCodeOf(c, *code).has_value()) << c.toStdString();
    }
    EXPECT_EQ(ProvinceCodeOf("广东省"), QString("440000"));
    EXPECT_EQ(CityCodeOf("深圳市", "440000"), QString("440300"));
    EXPECT_EQ(CityCodeOf("深圳市", "330000"), std::nullopt);
    EXPECT_EQ(ProvinceCodeOf("火星"), std::nullopt);
    EXPECT_TRUE(CityNames("火星").isEmpty());

    const QStringList occupations = OccupationNames();
    EXPECT_GE(occupations.size(), 20);
    for (const QString& o : occupations) EXPECT_TRUE(OccupationCodeOf(o).has_value()) << o.toStdString();
    EXPECT_EQ(OccupationCodeOf("学生"), QString("01"));
}

TEST(RegistrationLists, ServiceAcceptsOnlyListedNamesWithTheirCodes) {
    RegistrationEntries e = validEntries();
    const RegistrationIdentity id{"330000", "330100", "01", "10.0.0.2", 7};
    const QStringList good = RegisterFirstArguments(e, id);
    EXPECT_TRUE(IsListedRegistration(good));
    const QList<std::pair<int, QString>> changes = {
        {7, "440000"}, {9, "440100"}, {8, "广州市"}, {11, "1"}, {10, "其他"}, {13, "02"}, {12, "宇航员"}, {6, "火星"}};
    for (const auto& [index, value] : changes) {
        QStringList bad = good;
        bad[index] = value;
        EXPECT_FALSE(IsListedRegistration(bad)) << index;
    }
    EXPECT_FALSE(IsListedRegistration(good.mid(0, 10)));
}

// Lists of a test's own, found first because TAVOLIN_SHARE_DIR names their folder.
class OwnListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_old = qgetenv("TAVOLIN_SHARE_DIR");
        qputenv("TAVOLIN_SHARE_DIR", m_dir.path().toLocal8Bit());
    }
    void TearDown() override {
        if (m_old.isEmpty()) qunsetenv("TAVOLIN_SHARE_DIR");
        else qputenv("TAVOLIN_SHARE_DIR", m_old);
    }
    void write(const QString& file, const QString& name, const QList<QStringList>& rows) {
        Table t(rows.size(), rows.first().size());
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c) t.set(r, c, rows[r][c]);
        testsupport::writeFile(m_dir.path() + "/" + file,
                               EncryptText(TableToText(t, name), QString::fromLatin1(kDataFileKeyText)));
    }
    QTemporaryDir m_dir;
    QByteArray m_old;
};

TEST_F(OwnListsTest, CityNameInSeveralProvincesResolvesInTheChosenOne) {
    write("CS.dat", "CS", {{"101", "1", "新城", "甲省"}, {"201", "2", "新城", "乙省"}, {"202", "2", "旧城", "乙省"}});
    EXPECT_EQ(CityCodeOf("新城", "2"), QString("201"));
    EXPECT_EQ(CityCodeOf("新城", "1"), QString("101"));
    EXPECT_EQ(CityNames("乙省"), (QStringList{"新城", "旧城", ""}));
}

TEST_F(OwnListsTest, ListsWithoutTheirTableGiveNothing) {
    // Read as the "null" table, like a missing file: empty lists, no codes.
    write("SF.dat", "XX", {{"1", "甲省"}});
    write("ZY.dat", "XX", {{"1", "学生"}});
    EXPECT_TRUE(ProvinceNames().isEmpty());
    EXPECT_TRUE(OccupationNames().isEmpty());
    EXPECT_EQ(ProvinceCodeOf("甲省"), std::nullopt);
    EXPECT_EQ(OccupationCodeOf("学生"), std::nullopt);
}
