#pragma once
// The remembered logins of this machine: table LoginList of "data/g1.dat", newest first, at most
// ten rows of five fields: machine code of the writing machine, member name, the LoginToken when
// the member kept the password (else empty), server prefix, and an empty field.
#include "foundation/table.h"

#include <QString>
#include <QStringList>

inline constexpr int kLoginListMaxRows = 10;
inline constexpr int kLoginListFields = 5;

QString LoginListPath();
// MakeMachineCode of this machine's decimal volume serial.
QString ThisMachineCode();

// The stored list, five fields a row; no rows when the file is missing or holds no LoginList.
Table ReadLoginList();
// The member names in stored order.
QStringList RememberedMemberNames();
// The token remembered for the name (exact match) when its row was written on this machine and
// keeps one; else the empty text.
QString RememberedToken(const QString& name);

// The list with the entry on top: the member's old row (field 1 equal) is taken out, the other rows
// keep their order; a new member pushes the rows down and the list keeps at most ten.
Table WithLoginEntry(const Table& list, const QStringList& entry);

// Puts this machine's entry for the member on top of "g1.dat". Every step that fails is skipped:
// a list that cannot be read starts empty, a list that cannot be written stays as it was.
void StoreLoginEntry(const QString& member, const QString& token, const QString& prefix);

// After a password change: the member's remembered token, when the row has one and was written
// on this machine, becomes the token of the new password; a row without a token stays without.
// Returns true when the row was rewritten.
bool UpdateRememberedLoginToken(const QString& member, const QString& newPassword);
