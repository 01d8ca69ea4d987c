#pragma once
#include <QString>

// The 37-character login credential derived from the password exactly as typed.
QString LoginToken(const QString& password);
