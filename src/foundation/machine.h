#pragma once
// The machine code and the local address that identify this computer to the service.
#include <QString>

// The volume serial of the machine as a signed 32-bit number; 1000000000 when there is none.
// Callers pass "c:\" as the root, as every drive of this machine gives the one machine serial.
qint32 GetVolumeSerial(const QString& root = QStringLiteral("c:\\"));

// The first 8 digits of the MD5 of the reversed serial text, the reversed text, then digits 9 to
// 16 of that MD5 ("1000000000" gives "0ff89de900000000019d4a8f4b").
QString MakeMachineCode(const QString& serialText);

// The first address text that an adapter reports (adapters without one are passed over);
// "0.0.0.0" and no address at all give the empty text.
QString GetLocalIpAddress();
