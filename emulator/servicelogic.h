#pragma once
// What the service answers to each call, as plain functions of the ordered arguments: the replies
// the program knows (result codes, login and registration tags, table text), checked against the
// member store. Transport, envelopes and faults are the server's business.
#include "emulator/memberstore.h"
#include "platform/soapmessage.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace emu {

// One row of the notices that the login reply carries (table SysInfo).
struct Notice {
    bool on = false;
    QString text;  // message text or page address
};

struct DemoMember {
    QString name;
    QString password;
    QString domain;
};

class ServiceLogic {
public:
    ServiceLogic(MemberStore& store, const QString& serviceDomain);

    // True for the methods answered here; every other method of the catalogue is not available yet.
    bool implements(const QString& method) const;
    // The reply of one call, arguments in call order (a byte array where the method takes one).
    QString call(const QString& method, const QList<soap::Arg>& args);

    QString LoginSoftV2(const QStringList& a);                          // 5 arguments
    QString Register(const QStringList& a);                             // 18
    QString EditPsw(const QStringList& a);                              // 4
    QString UploadFile01(const QStringList& a, const QByteArray& data); // 8 texts and the file
    QString UploadWebsite2(const QStringList& a);                       // 12
    // The domain test and registration, the protection and the album list (sitemethods.cpp).
    QString TestDomain(const QStringList& a);                           // 1
    QString RegDomainNameV2(const QStringList& a);                      // 5
    QString WebsiteEncryptionInfo(const QStringList& a);                // 3
    QString WebsiteEncryption(const QStringList& a);                    // 12
    QString WebsiteNotEncryption(const QStringList& a);                 // 3
    QString GetDirInfo(const QStringList& a);                           // 3
    QString GetDirFileInfo(const QStringList& a);                       // 4
    // The member's own albums and the home-page album frame (sitemethods.cpp).
    QString BuildAlbumDir(const QStringList& a);                        // 4
    QString DelDir(const QStringList& a);                               // 4
    QString SetHomeAlbum(const QStringList& a);                         // 18
    QString DelFile(const QStringList& a);                              // 5
    QString EditPicMemo(const QStringList& a);                          // 6
    // Replaces a hosted file's bytes, found by its address; name and address stay.
    QString UploadFile02(const QStringList& a, const QByteArray& data); // 7 texts and the file
    // The blog posts (blogmethods.cpp).
    QString UploadBlog(const QStringList& a);                           // 6
    QString EditBlog(const QStringList& a);                             // 8
    QString GetBlogList(const QStringList& a);                          // 5
    QString GetBlog(const QStringList& a);                              // 5
    QString DelBlog(const QStringList& a);                              // 5
    // The micro-blog posts (blogmethods.cpp).
    QString UploadTBlog(const QStringList& a);                          // 6
    QString GetTBlogList(const QStringList& a);                         // 5
    QString DelTBlog(const QStringList& a);                             // 4

    // The six notice rows of the login reply: all off at start, rows 0, 3 and 5 with page addresses.
    QList<Notice>& notices() { return m_notices; }
    // One registration per hour from the addresses that share their first three parts.
    void setHourlyRegistrationLimit(bool on) { m_hourLimit = on; }

    // The demo member, with its sample site and picture; made when missing.
    static DemoMember Demo();
    void ensureDemoMember();
    // Back to the state of a first start: no member but the demo one, notices off.
    void reset();

    // The fixed tables of the login reply besides the member's own.
    static QString SpacePriceTable();
    // Hosted-space allowance of a new member, in kilobytes.
    static constexpr qint64 kNewMemberQuotaKb = 20 * 1024;
    static constexpr qint64 kDemoQuotaKb = 100 * 1024;

    const QString& domain() const { return m_domain; }
    MemberStore& store() { return m_store; }

private:
    Member* authenticate(const QString& name, const QString& digest, const QString& prefix);
    // The member's post of that time key and title; end() when there is none.
    QList<BlogPost>::iterator findBlog(Member& m, const QString& time, const QString& title);
    // The site payload that UploadWebsite2 and WebsiteEncryption share (their first ten
    // arguments): checked, then the page, the settings, the published flag and whatever alsoStore
    // changes are stored together; the member is put back whole when the record cannot be saved.
    // "OK_0001" or the error code.
    QString publishSite(const QStringList& a, const std::function<void(Member&)>& alsoStore);
    QString loginReply(const Member& m) const;
    // "http://img<N>.<domain>/space/<folder>/<album>/<file>": where the file lists say a file is.
    QString HostedFileAddress(const Member& m, const QString& album, const QString& file) const;
    void defaultNotices();

    MemberStore& m_store;
    QString m_domain;
    QList<Notice> m_notices;
    bool m_hourLimit = false;
    QHash<QString, QString> m_lastRegistrationHour;  // first three address parts -> "yyyyMMddHH"
};

// "<" and ">" as "&x_;" and "&d_;", as the service keeps a page. The program's EncodeSiteValue
// spells the same rule on its side of the wire; the service keeps its own copy on purpose, so that
// a change to the program's encoding breaks the tests instead of being followed by the service.
QString EscapeBrackets(QString text);
// A table of the replies that carry their separators escaped: each field followed by "{/F}",
// each row by "{//R}", then the table's name and "{///T}".
QString EscapedTable(const QList<QStringList>& rows, const QString& name);

// What the file lists tell of a stored file: its size in kilobytes (length / 1024 - 1, rounded
// half to even, never below 0), the byte count of its thumbnail, its width and height in pixels
// (0 for a Flash file or one that does not read).
struct StoredFileFigures {
    QString kb;
    QString thumbnailBytes;
    QString width;
    QString height;
};
StoredFileFigures FileFigures(const QString& path, const StoredFile& f);

// "&x_;" and "&d_;" back to "<" and ">", in that order.
QString UnescapeBrackets(QString text);
// True for 32 lower-case hexadecimal digits.
bool IsDigest(const QString& text);
// A name the service stores and hands back in addresses and file lists: one safe path component
// with no control character (a CR, LF or TAB would not read back whole).
bool IsStorableName(const QString& name);

}  // namespace emu
