#pragma once
// The check code of a registration: the registration window sends it and the service recomputes it.
#include <QString>
#include <QStringList>

// firstSixteen: the first sixteen arguments of Register in order; memberName: the name as typed.
// They are joined by single spaces, every space becomes "zuq", the trimmed name in upper case is
// appended, and the code is characters 8 to 26 of the digest.
QString RegisterCheckCode(const QStringList& firstSixteen, const QString& memberName);
