#include "platform/prompts.h"

#include <QFileInfo>

#include <QtGlobal>

namespace {

Prompts*& installed() {
    static Prompts* p = nullptr;
    return p;
}

Prompts*& standard() {
    static Prompts* p = nullptr;
    return p;
}

// Without the windows layer (the emulator, a test that installed nothing): each prompt is logged
// and answered with its first button, so nothing waits for a member who cannot see it.
class UnattendedPrompts final : public Prompts {
public:
    int msgBox(const QString& text, int style, const QString& title) override {
        qWarning("unanswered message box \"%s\": %s", qUtf8Printable(title), qUtf8Printable(text));
        return FirstButton(style);
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString openFile(const QString&, const QString&, const QString&) override { return QString(); }
    QStringList openFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString browseFolder(const QString&, const QString&) override { return QString(); }
    QColor chooseColor(const QColor&, const QString&) override { return QColor(); }
};

}  // namespace

QString QtFileFilter(const QString& runtimeFilter) {
    const QStringList parts = runtimeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int k = 0; k + 1 < parts.size(); k += 2) {
        QStringList patterns;
        for (const QString& p : parts[k + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toUpper() != p) patterns << p.toUpper();
        }
        entries << parts[k] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

int FirstButton(int style) {
    switch (style & 0x7) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    case vbAbortRetryIgnore: return vbAbort;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}

namespace prompts {
Prompts& current() {
    static UnattendedPrompts unattended;
    if (installed()) return *installed();
    return standard() ? *standard() : static_cast<Prompts&>(unattended);
}
void install(Prompts* p) { installed() = p; }
void setStandard(Prompts* p) { standard() = p; }
}  // namespace prompts

bool ConfirmReplaceCompleted(const QString& path, const QString& title) {
    return !QFileInfo::exists(path) ||
           MsgBox(path + QStringLiteral(" 已存在。\r要替换它吗？"), vbYesNo | vbExclamation, title) == vbYes;
}
