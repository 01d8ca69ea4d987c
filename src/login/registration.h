#pragma once
// Member registration without a window: the entry check, the list lookups, the arguments of the
// service's Register call and the meaning of its reply. frmRegister wires these to its controls;
// the emulator uses the list lookups to accept exactly the codes the program ships.
#include <QString>
#include <QStringList>

#include <optional>

// The entries of the registration form, as the controls hold them.
struct RegistrationEntries {
    QString userName;     // txtUserName as typed
    QString password1;    // txtPassword1
    QString password2;    // txtPassword2
    QString question;     // cobQuestion text
    QString answer;       // txtAnswer as typed
    QString email;        // txtEmail as typed
    QString year;         // txtYear
    QString month;        // cobMonth text ("01" to "12")
    QString day;          // cobDay text ("01" to "31")
    QString province;     // cobShe text
    QString city;         // cobCity text
    bool female = true;   // optSex(1) selected
    QString occupation;   // cobWork text
    QString key;          // txtKey: the captcha as typed
    QString captchaText;  // CaptchaText: the captcha drawn
};

// The problem list of the entries: "" when they pass, otherwise the header, two carriage returns
// and the problems numbered from 1, each on its own line ("\r"), the last ending with "。".
QString ValidateRegistration(const RegistrationEntries& e);

// The password questions of cobQuestion, in list order.
QStringList PasswordQuestions();

// ---- the shipped lists (table files SF, CS and ZY, read where paths::SharedFile finds them)
QString ProvinceListFile();
QString CityListFile();
QString OccupationListFile();
// Names for the drop-down lists, in file order; empty when the file is missing.
QStringList ProvinceNames();
QStringList OccupationNames();
// The city names of the province, in file order, as the city list shows them: every row of the
// selection, so the list ends with the selection's empty row. Empty for an unknown province.
QStringList CityNames(const QString& province);
// The code of a name; nothing when the name is not listed (for a city: not listed under that
// province code, since city names may repeat across provinces).
std::optional<QString> ProvinceCodeOf(const QString& province);
std::optional<QString> CityCodeOf(const QString& city, const QString& provinceCode);
std::optional<QString> OccupationCodeOf(const QString& occupation);
// True when arguments 7 to 14 of Register (province, its code, city, its code, sex and its code,
// occupation, its code) name entries of the shipped lists with their own codes and a sex the form
// offers. The service emulator accepts nothing else.
bool IsListedRegistration(const QStringList& firstSixteen);

// ---- the Register call
// The codes found for the entries, and this machine's identity.
struct RegistrationIdentity {
    QString provinceCode, cityCode, occupationCode;
    QString localIp;       // GetLocalIpAddress
    qint32 volumeSerial = 0;  // GetVolumeSerial of "c:\"
};
// Arguments 1 to 16 of Register in order. The password digest is taken of the password as typed
// (the login digests it untrimmed too, so a blank at either end must not be lost here).
QStringList RegisterFirstArguments(const RegistrationEntries& e, const RegistrationIdentity& id);
// All 18 arguments: the first sixteen, RegisterCheckCode and "1".
QStringList RegisterArguments(const QStringList& firstSixteen, const QString& userName);

// What a reply of Register means, by the first matching tag.
enum class RegisterReply {
    Ok,            // starts with "__Reg__OK__"
    NameTaken,     // "__Reg__False__"
    NextHour,      // "__Reg_Next_Hour__": one registration per hour from the IP range
    NameRefused,   // "__Reg__Can_Not_Name__"
    KeyFailed,     // "__Reg__Data_Error__"
    NotSafe,       // "__Reg__Data_NotSafe__"
    DatabaseError, // "__Reg__DB_Error__"
    Error0000,     // "__Reg__Error0000__": the window closes
    Unknown,       // anything else: the network-error window
};
RegisterReply ClassifyRegisterReply(const QString& reply);
// The message of a refusal (not Ok, not Unknown). nameAsTyped: txtUserName as typed.
QString RegisterRefusalMessage(RegisterReply kind, const QString& reply, const QString& nameAsTyped);
// The first character of the password, one "*" for each character between, and its last.
QString MaskedPassword(const QString& password);
// The success message of a reply that starts with "__Reg__OK__".
QString RegistrationSuccessMessage(const QString& reply, const QString& nameAsTyped, const QString& password);

// ---- the year box
// When the text is not empty and not a number, removes every character that is not a digit 0 to 9
// and returns true (the window then shows its one message); otherwise leaves it and returns false.
bool FilterYearText(QString& text);
