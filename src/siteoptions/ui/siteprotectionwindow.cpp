#include "siteoptions/ui/siteprotectionwindow.h"

#include "foundation/ui/pleasewait.h"
#include "platform/hookcheck.h"
#include "siteoptions/ui/waitpanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SiteProtectionWindow::SiteProtectionWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("网站首页加密"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    // The description: three labels forming one sentence.
    for (const char* line : {"网站首页加密可以使访客在访问您的网站域名时先打开验证网页，让其输入您",
                             "设置的问题的答案，答对才能够打开您的网站首页，从而尽可能地阻止与您无",
                             "相关的人员通过您的域名访问您的网站。"})
        layout->addWidget(new QLabel(QString::fromUtf8(line), this));

    labEncryption = new QLabel(this);
    labEncryption->setStyleSheet(QStringLiteral("color: red"));
    cobQuestion = new QComboBox(this);
    cobQuestion->setEditable(true);
    cobQuestion->addItems(ProtectionQuestions());
    cobQuestion->setCurrentIndex(-1);
    cobQuestion->setMinimumWidth(380);
    labMyQuestion = new QLabel(QStringLiteral("请输入自定义的问题："), this);
    txtMyQuestion = new QLineEdit(this);
    txtAnswer = new QLineEdit(this);
    cmdDIY = new QPushButton(QStringLiteral("&D.自定义"), this);
    cmdEncryption = new QPushButton(QStringLiteral("&Y.确定加密"), this);
    cmdNotEncryption = new QPushButton(QStringLiteral("&C.取消加密"), this);
    cmdBack = new QPushButton(QStringLiteral("&Q.退出"), this);
    cmdNotEncryption->setEnabled(false);
    labMyQuestion->hide();
    txtMyQuestion->hide();

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("网站首页加密状态："), this), 0, 0);
    grid->addWidget(labEncryption, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("问题："), this), 1, 0);
    grid->addWidget(cobQuestion, 1, 1);
    grid->addWidget(cmdDIY, 1, 2);
    grid->addWidget(labMyQuestion, 2, 0);
    grid->addWidget(txtMyQuestion, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("答案："), this), 3, 0);
    grid->addWidget(txtAnswer, 3, 1, 1, 2);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdEncryption);
    buttons->addWidget(cmdNotEncryption);
    buttons->addWidget(cmdBack);
    layout->addLayout(buttons);
    auto* note = new QLabel(
        QStringLiteral("注：若加密或取消加密后出现域名无法正常访问则请重新登录软件后再进行加密或取消加密的操作。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);

    picNetToService = NewWaitPanel(this, QStringLiteral("正在读取数据，请您稍候..."));

    // The handlers disable their own buttons themselves.
    m_wait = std::make_unique<PleaseWait>(picNetToService);
    wireView();

    // A choice from the list, not a typed text, runs the list's handler.
    connect(cobQuestion, &QComboBox::activated, this, [this] { cobQuestion_Click(); });
    connect(cmdDIY, &QPushButton::clicked, this, [this] { cmdDIY_Click(); });
    connect(cmdEncryption, &QPushButton::clicked, this, [this] { cmdEncryption_Click(); });
    connect(cmdNotEncryption, &QPushButton::clicked, this, [this] { cmdNotEncryption_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });

    adjustSize();
    CentreWaitPanel(picNetToService);
    Form_Load();
}

SiteProtectionWindow::~SiteProtectionWindow() = default;

void SiteProtectionWindow::wireView() {
    SiteProtectionView& v = logic.view;
    v.setState = MemberHook(this, &SiteProtectionWindow::setState);
    v.enableEncryption = MemberHook(this, &SiteProtectionWindow::enableEncryption);
    v.enableNotEncryption = MemberHook(this, &SiteProtectionWindow::enableNotEncryption);
    v.questionText = MemberHook(this, &SiteProtectionWindow::questionText);
    v.setQuestionText = MemberHook(this, &SiteProtectionWindow::setQuestionText);
    v.customQuestionShown = MemberHook(this, &SiteProtectionWindow::customQuestionShown);
    v.showCustomQuestion = MemberHook(this, &SiteProtectionWindow::showCustomQuestion);
    v.customQuestionText = MemberHook(this, &SiteProtectionWindow::customQuestionText);
    v.answerText = MemberHook(this, &SiteProtectionWindow::answerText);
    v.setAnswerText = MemberHook(this, &SiteProtectionWindow::setAnswerText);
    v.focusQuestion = MemberHook(this, &SiteProtectionWindow::focusQuestion);
    v.focusCustomQuestion = MemberHook(this, &SiteProtectionWindow::focusCustomQuestion);
    v.focusAnswer = MemberHook(this, &SiteProtectionWindow::focusAnswer);
    v.showWait = MemberHook(this, &SiteProtectionWindow::showWait);
    v.hideWait = MemberHook(this, &SiteProtectionWindow::hideWait);
    v.close = MemberHook(this, &SiteProtectionWindow::closeDone);
}

void SiteProtectionWindow::setState(const QString& state) { labEncryption->setText(state); }

void SiteProtectionWindow::enableEncryption(bool on) { cmdEncryption->setEnabled(on); }

void SiteProtectionWindow::enableNotEncryption(bool on) { cmdNotEncryption->setEnabled(on); }

QString SiteProtectionWindow::questionText() const { return cobQuestion->currentText(); }

void SiteProtectionWindow::setQuestionText(const QString& text) { cobQuestion->setEditText(text); }

// Hidden, not invisible: the box counts as shown while the dialog itself is hidden.
bool SiteProtectionWindow::customQuestionShown() const { return !txtMyQuestion->isHidden(); }

void SiteProtectionWindow::showCustomQuestion(bool on) {
    labMyQuestion->setVisible(on);
    txtMyQuestion->setVisible(on);
}

QString SiteProtectionWindow::customQuestionText() const { return txtMyQuestion->text(); }

QString SiteProtectionWindow::answerText() const { return txtAnswer->text(); }

void SiteProtectionWindow::setAnswerText(const QString& text) { txtAnswer->setText(text); }

void SiteProtectionWindow::focusQuestion() { cobQuestion->setFocus(); }

void SiteProtectionWindow::focusCustomQuestion() { txtMyQuestion->setFocus(); }

void SiteProtectionWindow::focusAnswer() { txtAnswer->setFocus(); }

void SiteProtectionWindow::showWait() { m_wait->begin(); }

void SiteProtectionWindow::hideWait() { m_wait->end(); }

void SiteProtectionWindow::closeDone() { accept(); }
