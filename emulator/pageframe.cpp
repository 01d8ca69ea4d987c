#include "emulator/pageframe.h"

#include <QRegularExpression>

namespace emu {

QString KeyAttributes(const HttpRequest& r) {
    QString out;
    for (const auto& item : r.queryItems()) {
        // Only names that make a valid attribute: letters, digits, "-" and "_".
        const QString name = item.first.toLower();
        if (name.isEmpty() || name.contains(QRegularExpression(QStringLiteral("[^a-z0-9_-]")))) continue;
        out += QStringLiteral(" data-%1=\"%2\"").arg(name, item.second.toHtmlEscaped());
    }
    return out;
}

QString ServicePageHtml(const QString& title, const QString& style, const QString& body, const HttpRequest& r) {
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n<style>%2</style></head>\n"
                          "<body%3>\n%4\n</body></html>\n")
        .arg(title.toHtmlEscaped(), style, KeyAttributes(r), body);
}

}  // namespace emu
