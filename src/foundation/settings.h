#pragma once
// The global settings ("data/g0.dat", table GCS) and the member's settings
// ("UserData/<member>/u0.dat", table UCS): 501 rows of an id and a value.
#include <QString>

#include <functional>
#include <optional>

// Global settings.
inline constexpr int GcsFirstLogin = 0;
inline constexpr int GcsLoginAdIndex = 1;
inline constexpr int GcsSmallScreen = 2;
inline constexpr int GcsLastServerPrefix = 3;
inline constexpr int GcsWaitAdIndex = 4;
inline constexpr int GcsMachineCode = 5;

// Member settings.
inline constexpr int UcsServerPrefix = 0;
inline constexpr int UcsTeachMain = 1;
inline constexpr int UcsTeachPicture = 2;
inline constexpr int UcsTeachUpload = 3;
inline constexpr int UcsTeachWriteText = 4;
// HintFlag entries: "1" once the member asked not to see that hint again.
inline constexpr int UcsHintScreenshotUpload = 5;
inline constexpr int UcsHintScreenshotSized = 6;
inline constexpr int UcsHintScreenshotSingle = 7;
inline constexpr int UcsHintRefresh = 8;
inline constexpr int UcsHintForegroundReplace = 9;
inline constexpr int UcsHintTemplateFirst = 10;
inline constexpr int UcsHintUploadClose = 11;
inline constexpr int UcsHintSizedUploadClose = 12;
inline constexpr int UcsHintChooseAlbum = 13;
inline constexpr int UcsHintDeleteFiles = 14;
inline constexpr int UcsHintFilePages = 15;
inline constexpr int UcsHintInsertPicture = 16;
inline constexpr int UcsHintMusicOff = 21;
inline constexpr int UcsHintProtection = 26;
inline constexpr int UcsHintUploadScroll = 27;
inline constexpr int UcsHintUploadStart = 28;
inline constexpr int UcsHintNewAlbum = 29;
inline constexpr int UcsHintCellText = 35;

QString GlobalSettingsPath();
QString UserSettingsPath();

QString GetGlobalSetting(int id);
bool SetGlobalSetting(int id, const QString& value);
QString GetUserSetting(int id);
// A window's tutorial counter (UcsTeachMain, UcsTeachPicture ...) at its opening: empty reads "0";
// "0", "1" and "2" open the tutorial by itself and give the counter to store, anything else
// (the close button stores "3") keeps it closed.
std::optional<QString> TeachCounterAfterOpening(const QString& counter);
// The first-run step every window with a tutorial takes at its load: while the counter lets the
// tutorial open by itself, runs open and then stores the counter plus one.
void TeachOpenAtFirstLoads(int counterSetting, const std::function<void()>& open);
bool SetUserSetting(int id, const QString& value);
void CreateGlobalSettings();
void CreateUserSettings();
