#include "platform/ui/windowsplatform.h"

#include "platform/inputguard.h"
#include "platform/paths.h"
#include "platform/programend.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

namespace {

QString forDisplay(QString text) {
    // The program writes line breaks as "\r" (or "\r\n"); Qt wants "\n".
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QWidget* parentWindow() { return QApplication::activeWindow(); }

class QtPrompts final : public Prompts {
public:
    int msgBox(const QString& text, int style, const QString& title) override {
        QMessageBox box(parentWindow());
        // An empty title shows the program's name, as the old message boxes did.
        box.setWindowTitle(title.isEmpty() ? QStringLiteral("Tavolin") : title);
        box.setText(forDisplay(text));
        switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        struct B { QMessageBox::StandardButton qt; int vb; };
        QList<B> buttons;
        switch (style & 0x7) {
        case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbAbortRetryIgnore:
            buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
            break;
        case vbYesNoCancel: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
        default: buttons = {{QMessageBox::Ok, vbOK}}; break;
        }
        for (const B& b : buttons) box.addButton(b.qt);
        const int def = (style & vbDefaultButton2) ? 1 : 0;
        if (def < buttons.size()) box.setDefaultButton(buttons[def].qt);
        const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
        for (const B& b : buttons)
            if (b.qt == clicked) return b.vb;
        // Closed with Escape or the title bar: the runtime answered Cancel (or OK/No where there is none).
        if ((style & 0x7) == vbOKOnly) return vbOK;
        if ((style & 0x7) == vbYesNo) return vbNo;
        return vbCancel;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
        bool ok = false;
        const QString s = QInputDialog::getText(parentWindow(), title, forDisplay(prompt), QLineEdit::Normal, defaultText, &ok);
        return ok ? s : QString();
    }
    QString openFile(const QString& title, const QString& filter, const QString& dir) override {
        return QFileDialog::getOpenFileName(parentWindow(), title, dir, filter);
    }
    QStringList openFiles(const QString& title, const QString& filter, const QString& dir) override {
        return QFileDialog::getOpenFileNames(parentWindow(), title, dir, filter);
    }
    QString saveFile(const QString& title, const QString& filter, const QString& dir) override {
        return QFileDialog::getSaveFileName(parentWindow(), title, dir, filter);
    }
    QString browseFolder(const QString& title, const QString& dir) override {
        return QFileDialog::getExistingDirectory(parentWindow(), title, dir);
    }
    QColor chooseColor(const QColor& initial, const QString& title) override {
        return QColorDialog::getColor(initial, parentWindow(), title);
    }
};

}  // namespace

void LoadChineseTranslations() {
    // Qt's own texts (message box buttons, file and colour dialogs) in the program's language;
    // the catalogue "qt" pulls in those of every module. Without the package the texts stay English.
    static QTranslator* translator = nullptr;
    if (translator) return;
    translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void DeleteAllWindows() {
    // Windows without a parent are owned by nobody; their web pages must go before the browser
    // profile, which the application deletes last.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows.append(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void InstallWindowsPlatform() {
    LoadChineseTranslations();
    // Every window shows the program's icon.
    if (const QString icon = paths::SharedFile(QStringLiteral("tavolin.svg")); !icon.isEmpty())
        QApplication::setWindowIcon(QIcon(icon));
    static QtPrompts dialogs;
    prompts::setStandard(&dialogs);
    inputguard::activeModal = []() -> QObject* { return QApplication::activeModalWidget(); };
    inputguard::belongsTo = [](QObject* modal, QObject* watched) {
        auto* modalWidget = qobject_cast<QWidget*>(modal);
        if (!modalWidget) return false;
        if (watched == modalWidget->windowHandle()) return true;
        const auto* widget = qobject_cast<QWidget*>(watched);
        return widget && widget->window() == modalWidget;
    };
    // Hidden, not closed: the end fires no close handler (the main window's would ask a question).
    programend::SetWindowHider([] {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    });
}
