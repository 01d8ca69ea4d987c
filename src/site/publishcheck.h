#pragma once
// The check code that travels with every publication of the site: both the publish step and the
// service compute it from the escaped whole-site page.
#include <QString>

// The escaped site page trimmed of spaces; its length as decimal digits; the digest of those digits;
// its twelve characters from the eighth.
QString PublishCheckCode(const QString& escapedPage);
