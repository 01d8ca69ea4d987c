#include "albums/albumname.h"

#include "foundation/servicecall.h"
#include "platform/ansi.h"

namespace {
const QString kHint = QStringLiteral("提示");

bool Breaks(AlbumNameRule rule, const QString& name, const QStringList& listed) {
    switch (rule) {
    case AlbumNameRule::NoSpace: return name.contains(QLatin1Char(' '));
    case AlbumNameRule::NoPlus: return name.contains(QLatin1Char('+'));
    case AlbumNameRule::NotListed: return listed.contains(name);
    case AlbumNameRule::NotRoot: return name == QStringLiteral("根目录");
    case AlbumNameRule::NotSystem: return name.left(3).toLower() == QLatin1String("www");
    case AlbumNameRule::NotNull: return name.toLower() == QLatin1String("null");
    case AlbumNameRule::ShortEnough: return AnsiCodec::byteLength(name) > kAlbumNameMaxBytes;
    }
    return false;
}

AlbumMessage MessageOf(AlbumNameRule rule, const QString& name) {
    switch (rule) {
    case AlbumNameRule::NoSpace: return {QStringLiteral("创建相册败失：相册名称中不能含有空格。"), kHint};
    case AlbumNameRule::NoPlus: return {QStringLiteral("创建相册败失：相册名称中不能含有“+”号。"), kHint};
    case AlbumNameRule::NotListed:
        return {QStringLiteral("创建相册失败：相册“") + name + QStringLiteral("”已经存在，请另起新的名称再试。"), QString()};
    case AlbumNameRule::NotRoot:
        return {QStringLiteral("错误！您不能创建名称为“根目录”的相册，因为它有特殊用途。"), QString()};
    case AlbumNameRule::NotSystem:
        return {QStringLiteral("错误！您不能创建名称前三位是“www”的相册，因为它有特殊用途。"), QString()};
    case AlbumNameRule::NotNull:
        return {QStringLiteral("错误！您不能创建名称为“") + name + QStringLiteral("”的相册，因为它有特殊用途。"), QString()};
    case AlbumNameRule::ShortEnough: return AlbumNameLengthMessage();
    }
    return {};
}
}  // namespace

std::optional<AlbumMessage> CheckAlbumName(const QString& name, const QStringList& listed,
                                           std::initializer_list<AlbumNameRule> order) {
    for (AlbumNameRule rule : order)
        if (Breaks(rule, name, listed)) return MessageOf(rule, name);
    return std::nullopt;
}

AlbumMessage AlbumNameLengthMessage() { return {QStringLiteral("相册名称最长为20字节(10个汉字)。"), kHint}; }

QString CreatedAlbumStamp(const QString& reply) { return QString(reply).remove(kOK_0001Stamp); }

AlbumMessage AlbumCreationRefusal(const QString& reply, const QString& name) {
    for (int n = 1; n <= 3; ++n)
        if (reply == ErrorCode(n))
            return {QStringLiteral("错误 000%1，创建相册失败，请您重新登录本软件再试。").arg(n), QString()};
    if (reply == kError_0004)
        return {QStringLiteral("错误 0004，创建相册失败：相册“") + name + QStringLiteral("”已经存在，请另起新的名称再试。"),
                QString()};
    return {QStringLiteral("意外错误，请您重新登录本软件再试。"), QString()};
}
