#include "site/ui/updatesitewindow.h"

#include "foundation/servicecall.h"
#include "platform/prompts.h"
#include "site/publishdialog.h"
#include "site/ui/site_entry.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

UpdateSiteWindow::UpdateSiteWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("更新网站"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    imgWait = new QProgressBar(this);
    imgWait->setRange(0, 0);  // a busy bar keeps moving while the calls run
    imgWait->setTextVisible(false);
    Label1 = new QLabel(QStringLiteral("正在更新网站，请您稍候..."), this);
    Label1->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgWait);
    layout->addWidget(Label1);
    setFixedSize(sizeHint().expandedTo(QSize(320, 90)));

    // Interval 100 ms, started when the dialog is first shown, so the work begins once the
    // dialog is on screen and the editor's modal call waits for it.
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    QObject::connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void UpdateSiteWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started && !Timer1->isActive()) Timer1->start();
}

void UpdateSiteWindow::reject() {
    if (m_finished) QDialog::reject();
}

void UpdateSiteWindow::Timer1_Timer() {
    Timer1->stop();  // the tick never repeats
    if (m_started) return;
    m_started = true;
    try {
        m_outcome = RunPublishDialogWork();
    } catch (const std::exception&) {
        // The dialog refuses to close while it works: an error must still end it.
        MsgBox(kServiceErrorMessage, vbInformation, QStringLiteral("提示"));
    }
    m_finished = true;
    done(QDialog::Accepted);
}

PublishOutcome OpenPublishDialog(QWidget* parent) {
    UpdateSiteWindow dialog(parent);
    dialog.exec();
    return dialog.outcome();
}
