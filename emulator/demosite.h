#pragma once
// What the demo member finds on a first login: a site made from the gallery's first template with
// its own header picture, albums of generated pictures for the photo widgets and the home album,
// two blog posts, and the published page that its address shows.
#include <QString>

namespace emu {

class MemberStore;
struct Member;

// Adds the sample content to a member that has none; saves the member. Throws VbError when a
// file cannot be written.
void AddDemoContent(MemberStore& store, Member& m, const QString& serviceDomain);

// The album of the demo's home album cell.
inline const QString kDemoHomeAlbum = QStringLiteral("我的相册");

}  // namespace emu
