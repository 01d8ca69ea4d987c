#pragma once
#include <QString>

// The 37-character login credential derived from the password exactly as typed.
QString LoginToken(const QString& password);
// The same credential from the password's 32-digit digest (what the service keeps and checks).
QString LoginTokenFromDigest(const QString& digest);
