#include "siteoptions/ui/musicsettingswindow.h"

#include "foundation/folders.h"
#include "foundation/ui/pleasewait.h"
#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "siteoptions/ui/colorswatch.h"
#include "siteoptions/ui/waitpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>

using twips::ToPixels;

namespace {

constexpr int kMaxLyricsChars = 6000;
// The preview frame is cell 4's size; the browser sits 30 twips up and left so its frame lies outside.
constexpr int kViewWidth = 280;
constexpr int kViewHeight = 210;
constexpr int kBrowserInset = 30;

QComboBox* NewList(QWidget* parent, const QStringList& entries) {
    auto* list = new QComboBox(parent);  // drop-down lists: no typing
    list->addItems(entries);
    list->setCurrentIndex(-1);
    return list;
}

QLabel* NewMarker(QWidget* parent) {
    auto* marker = new QLabel(parent);
    marker->setFixedSize(ToPixels(150), ToPixels(150));
    marker->setAutoFillBackground(true);
    SetSwatchColor(marker, QColor(0xFF, 0x80, 0x00));
    marker->hide();
    return marker;
}

// The lyrics box holds "\n"; the logic counts and stores CRLF line breaks.
QString WithCRLF(const QString& text) { return QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }
QString WithLF(const QString& text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

MusicSettingsWindow::MusicSettingsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("背景音乐设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // ---- the music
    Label6 = new QLabel(QStringLiteral("请输入音乐的网址：(注：必须来自网络上的音乐，而不是您的电脑硬盘上的音乐。)"), this);
    txtMusicURL = new QPlainTextEdit(this);
    txtMusicURL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMusicURL->setFixedHeight(txtMusicURL->fontMetrics().lineSpacing() * 2 + 12);
    Label7 = new QLabel(QStringLiteral("例如：http://") + serviceconfig::current().hostName(ServiceHost::Main) +
                            QStringLiteral("/music/sample.wma"),
                        this);
    cmdPastMusic = new QPushButton(QStringLiteral("粘"), this);
    cmdPastMusic->setToolTip(QStringLiteral("粘贴"));
    cmdClear = new QPushButton(QStringLiteral("清空"), this);
    chkNull = new QCheckBox(QStringLiteral("取消背景音乐"), this);
    optMusic[0] = new QRadioButton(QStringLiteral("循环播放"), this);
    optMusic[1] = new QRadioButton(QStringLiteral("播放       次后停止"), this);
    optMusic[0]->setChecked(true);
    cobMusicTimes = NewList(this, MusicPlayTimesList());

    // ---- the player
    Frame1 = new QGroupBox(QStringLiteral("播放器设置"), this);
    optHidePlayer = new QRadioButton(QStringLiteral("隐藏播放器"), Frame1);
    optShowPlayer = new QRadioButton(QStringLiteral("显示播放器"), Frame1);
    labHide = NewMarker(Frame1);
    labShow = NewMarker(Frame1);
    labNowSetHide = new QLabel(QStringLiteral("<-当前设置"), Frame1);
    labNowSetShow = new QLabel(QStringLiteral("<-当前设置"), Frame1);
    labNowSetHide->hide();
    labNowSetShow->hide();
    cobTM = NewList(Frame1, MusicOpacityList());
    cobWH = NewList(Frame1, MusicFadeList());
    auto* player = new QGridLayout(Frame1);
    player->addWidget(labHide, 0, 0);
    player->addWidget(optHidePlayer, 0, 1);
    player->addWidget(labNowSetHide, 0, 2);
    player->addWidget(labShow, 1, 0);
    player->addWidget(optShowPlayer, 1, 1);
    player->addWidget(labNowSetShow, 1, 2);
    player->addWidget(new QLabel(QStringLiteral("透明度"), Frame1), 2, 1);
    player->addWidget(cobTM, 2, 2);
    player->addWidget(new QLabel(QStringLiteral("雾化方式"), Frame1), 3, 1);
    player->addWidget(cobWH, 3, 2);

    // ---- the lyrics
    txtLyrics = new QPlainTextEdit(this);
    txtLyrics->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cmdPastLyrics = new QPushButton(QStringLiteral("粘"), this);
    cmdPastLyrics->setToolTip(QStringLiteral("粘贴"));
    labCodeNum = new QLabel(QStringLiteral("[歌词代码最多3000字节,当前0字节]"), this);
    labCodeNum->setStyleSheet(QStringLiteral("color: red"));
    chkShowLyrics = new QCheckBox(QStringLiteral("不显示歌词"), this);
    chkAddGC = new QCheckBox(QStringLiteral("在第一行插入“<移入鼠标可暂停歌词>”的提示。"), this);
    cobRow = NewList(this, MusicIntervalList());
    cobFontType = NewList(this, MusicFontTypeList());
    createTextStyle(this, QStringLiteral("字体背景色"));

    // ---- preview and commands
    cmdView = new QPushButton(QStringLiteral("&V.预览->"), this);
    chkTest = new QCheckBox(QStringLiteral("试听"), this);
    chkTest->setChecked(true);
    picView = new QFrame(this);
    picView->setFixedSize(kViewWidth, kViewHeight);
    webView = new WebBrowser(picView);
    webView->setGeometry(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset), kViewWidth + 2 * ToPixels(kBrowserInset),
                         kViewHeight + 2 * ToPixels(kBrowserInset));
    // The member asked to hear the music: the player may start without a click in the preview.
    webView->page()->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    cmdOK = new QPushButton(QStringLiteral("&U.应用到网站中"), this);
    cmdCloseSound = new QPushButton(QStringLiteral("&C.关 闭"), this);
    auto* help = new ClickableLabel(QStringLiteral("如何获取音乐的网址及歌词？<-请点击查看..."), this);
    help->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    help->setCursor(Qt::PointingHandCursor);
    labHowToGetMusicURL = help;

    auto* notes = new QFrame(this);  // Picture1
    notes->setFrameShape(QFrame::Box);
    auto* notesLayout = new QVBoxLayout(notes);
    for (const char* line :
         {"说明", "1、在浏览网站时把鼠标移入歌词区可暂停歌词跳行，这样可避免因跳行过快而与音乐不同步的现象。",
          "2、音乐文件的格式最好是选用.wma的格式，这种格式的文件小，音质也不错，适合在互联网上被快速打开。",
          "3、音乐第一次在您的电脑中播放时需等待十几至几十秒左右的时间才能听到声音（视文件大小及网速而定）。",
          "第二次播放可伴随网页的打开即时播放（因为已经加载到电脑中了）。"}) {
        auto* label = new QLabel(QString::fromUtf8(line), notes);
        label->setWordWrap(true);
        notesLayout->addWidget(label);
    }

    // ---- layout
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label6, 0, 0, 1, 4);
    grid->addWidget(txtMusicURL, 1, 0, 1, 3);
    auto* addressButtons = new QHBoxLayout;
    addressButtons->addWidget(cmdPastMusic);
    addressButtons->addWidget(cmdClear);
    grid->addLayout(addressButtons, 1, 3);
    grid->addWidget(Label7, 2, 0, 1, 4);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(chkNull);
    playRow->addWidget(optMusic[0]);
    playRow->addWidget(optMusic[1]);
    playRow->addWidget(cobMusicTimes);
    playRow->addStretch(1);
    grid->addLayout(playRow, 3, 0, 1, 4);
    grid->addWidget(Frame1, 4, 0, 1, 2);
    auto* previewColumn = new QVBoxLayout;
    auto* previewButtons = new QHBoxLayout;
    previewButtons->addWidget(cmdView);
    previewButtons->addWidget(chkTest);
    previewColumn->addLayout(previewButtons);
    previewColumn->addWidget(picView);
    grid->addLayout(previewColumn, 4, 2, 3, 2);
    auto* lyricsHead = new QHBoxLayout;
    lyricsHead->addWidget(new QLabel(QStringLiteral("歌词："), this));
    lyricsHead->addWidget(cmdPastLyrics);
    lyricsHead->addWidget(labCodeNum);
    lyricsHead->addStretch(1);
    grid->addLayout(lyricsHead, 5, 0, 1, 2);
    grid->addWidget(txtLyrics, 6, 0, 1, 2);
    auto* lyricsOptions = new QGridLayout;
    lyricsOptions->addWidget(chkShowLyrics, 0, 0, 1, 2);
    lyricsOptions->addWidget(chkAddGC, 0, 2, 1, 4);
    lyricsOptions->addWidget(new QLabel(QStringLiteral("歌词跳行间隔"), this), 1, 0);
    lyricsOptions->addWidget(cobRow, 1, 1);
    lyricsOptions->addWidget(new QLabel(QStringLiteral("字形"), this), 1, 2);
    lyricsOptions->addWidget(cobFontType, 1, 3);
    addEffectToGrid(lyricsOptions, 1, 4);
    addColorsToGrid(lyricsOptions, 2, 0);
    lyricsOptions->addWidget(new QLabel(QStringLiteral("注：显示的歌词将会替换4区的文字信息"), this), 3, 0, 1, 6);
    grid->addLayout(lyricsOptions, 7, 0, 1, 4);
    grid->addWidget(notes, 8, 0, 1, 4);
    auto* commands = new QHBoxLayout;
    commands->addWidget(labHowToGetMusicURL);
    commands->addStretch(1);
    commands->addWidget(cmdOK);
    commands->addWidget(cmdCloseSound);
    grid->addLayout(commands, 9, 0, 1, 4);

    // ---- the hint balloon, over the dialog
    picOpeMsg = new QFrame(this);
    picOpeMsg->setFrameShape(QFrame::Box);
    picOpeMsg->setAutoFillBackground(true);
    SetSwatchColor(picOpeMsg, QColor(0xFF, 0xFF, 0xE1));
    picOpeMsg->setGeometry(ToPixels(810), ToPixels(1875), ToPixels(4500), ToPixels(1875));
    labOpeMsg = new QLabel(picOpeMsg);
    labOpeMsg->setWordWrap(true);
    labOpeMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labOpeMsg->setGeometry(ToPixels(120), ToPixels(120), ToPixels(4260), ToPixels(1080));
    chkIKnowOpe = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了"), picOpeMsg);
    chkIKnowOpe->setGeometry(ToPixels(120), ToPixels(1380), ToPixels(3000), ToPixels(330));
    cmdClosOpeMsg = new QPushButton(QStringLiteral("&C.关闭"), picOpeMsg);
    cmdClosOpeMsg->setGeometry(ToPixels(3240), ToPixels(1350), ToPixels(1080), ToPixels(360));
    auto* closeOpe = new ClickableLabel(QStringLiteral("×"), picOpeMsg);
    closeOpe->setGeometry(ToPixels(4200), ToPixels(30), ToPixels(240), ToPixels(240));
    closeOpe->onClick = [this] { imgCloseOpe_Click(); };
    imgCloseOpe = closeOpe;
    picOpeMsg->hide();

    picNetToService = NewWaitPanel(this, QStringLiteral("正在提交数据，请您稍候..."));
    m_wait = std::make_unique<PleaseWait>(picNetToService, QList<QWidget*>{cmdView, cmdCloseSound});

    wireView();

    connect(txtMusicURL, &QPlainTextEdit::textChanged, this,
            [this] { logic.txtMusicURL_Change(txtMusicURL->toPlainText()); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdPastMusic, &QPushButton::clicked, this, [this] { cmdPastMusic_Click(); });
    connect(cmdPastLyrics, &QPushButton::clicked, this, [this] { cmdPastLyrics_Click(); });
    connect(txtLyrics, &QPlainTextEdit::textChanged, this, [this] {
        if (txtLyrics->toPlainText().size() > kMaxLyricsChars) {
            const QSignalBlocker block(txtLyrics);
            txtLyrics->setPlainText(txtLyrics->toPlainText().left(kMaxLyricsChars));
            txtLyrics->moveCursor(QTextCursor::End);
        }
        logic.txtLyrics_Change(WithCRLF(txtLyrics->toPlainText()));
    });
    connect(chkNull, &QCheckBox::clicked, this, [this](bool on) { logic.chkNull_Click(on); });
    connect(optHidePlayer, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic.optHidePlayer_Click();
    });
    connect(optShowPlayer, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic.optShowPlayer_Click();
    });
    connect(cobTM, &QComboBox::activated, this, [this] { logic.cobTM_Click(); });
    connect(cobWH, &QComboBox::activated, this, [this] { logic.cobWH_Click(); });
    connect(chkShowLyrics, &QCheckBox::clicked, this, [this] { logic.chkShowLyrics_Click(); });
    connect(cobRow, &QComboBox::activated, this, [this] { logic.cobRow_Click(); });
    connect(cobFontType, &QComboBox::activated, this, [this] { logic.cobFontType_Click(cobFontType->currentText()); });
    connectTextStyle(this, logic);
    connect(cmdView, &QPushButton::clicked, this, [this] { logic.cmdView_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { logic.cmdOK_Click(); });
    connect(cmdCloseSound, &QPushButton::clicked, this, [this] { cmdCloseSound_Click(); });
    connect(cmdClosOpeMsg, &QPushButton::clicked, this, [this] { cmdClosOpeMsg_Click(); });
    help->onClick = [this] { logic.labHowToGetMusicURL_Click(); };

    adjustSize();
    CentreWaitPanel(picNetToService);
    Form_Load();
}

MusicSettingsWindow::~MusicSettingsWindow() = default;

void MusicSettingsWindow::Form_Load() {
    logic.Form_Load();
    webView->setSilent(true);
    webView->Navigate(MemberTempPath(QStringLiteral("setpic.html")));
}

void MusicSettingsWindow::wireView() {
    MusicSettingsView& v = logic.view;
    v.controls = MemberHook(this, &MusicSettingsWindow::controls);
    v.showControls = MemberHook(this, &MusicSettingsWindow::showControls);
    v.greyAddress = MemberHook(this, &MusicSettingsWindow::greyAddress);
    v.showPlayerChoice = MemberHook(this, &MusicSettingsWindow::showPlayerChoice);
    setTextStyleHooks(v);
    v.setCounter = MemberHook(this, &MusicSettingsWindow::setCounter);
    v.showHint = MemberHook(this, &MusicSettingsWindow::showHint);
    v.hideHint = MemberHook(this, &MusicSettingsWindow::hideHint);
    v.enableOK = MemberHook(this, &MusicSettingsWindow::enableOK);
    v.showWait = MemberHook(this, &MusicSettingsWindow::showWait);
    v.hideWait = MemberHook(this, &MusicSettingsWindow::hideWait);
    v.refreshPreview = MemberHook(this, &MusicSettingsWindow::refreshPreview);
    v.close = MemberHook(this, &MusicSettingsWindow::closeDone);
}

MusicControls MusicSettingsWindow::controls() const {
    MusicControls c;
    c.address = txtMusicURL->toPlainText();
    c.noMusic = chkNull->isChecked();
    c.loop = optMusic[0]->isChecked();
    c.playTimes = cobMusicTimes->currentText();
    c.playerShown = !optHidePlayer->isChecked();
    c.opacity = cobTM->currentText();
    c.fade = cobWH->currentText();
    c.lyrics = WithCRLF(txtLyrics->toPlainText());
    c.hideLyrics = chkShowLyrics->isChecked();
    c.addHint = chkAddGC->isChecked();
    c.interval = cobRow->currentText();
    c.fontType = cobFontType->currentIndex();
    c.effect = cobTX1->currentIndex();
    c.noBackColor = chkFontBackColor->isChecked();
    c.test = chkTest->isChecked();
    return c;
}

void MusicSettingsWindow::showControls(const MusicControls& c) {
    // The logic runs the handlers itself.
    const QSignalBlocker b1(txtMusicURL), b2(txtLyrics), b3(chkNull), b4(optHidePlayer), b5(optShowPlayer),
        b6(chkFontBackColor);
    txtMusicURL->setPlainText(c.address);
    chkNull->setChecked(c.noMusic);
    optMusic[c.loop ? 0 : 1]->setChecked(true);
    cobMusicTimes->setCurrentIndex(cobMusicTimes->findText(c.playTimes));
    (c.playerShown ? optShowPlayer : optHidePlayer)->setChecked(true);
    cobTM->setCurrentIndex(cobTM->findText(c.opacity));
    cobWH->setCurrentIndex(cobWH->findText(c.fade));
    txtLyrics->setPlainText(WithLF(c.lyrics).left(kMaxLyricsChars));
    chkShowLyrics->setChecked(c.hideLyrics);
    chkAddGC->setChecked(c.addHint);
    cobRow->setCurrentIndex(cobRow->findText(c.interval));
    cobFontType->setCurrentIndex(c.fontType);
    cobTX1->setCurrentIndex(c.effect);
    chkFontBackColor->setChecked(c.noBackColor);
    chkTest->setChecked(c.test);
}

void MusicSettingsWindow::greyAddress(bool grey) {
    QPalette p = txtMusicURL->palette();
    p.setColor(QPalette::Base, grey ? QColor(128, 128, 128) : palette().color(QPalette::Base));
    txtMusicURL->setPalette(p);
    txtMusicURL->setEnabled(!grey);
    for (QWidget* w : {static_cast<QWidget*>(optMusic[0]), static_cast<QWidget*>(optMusic[1]),
                       static_cast<QWidget*>(cobMusicTimes), static_cast<QWidget*>(cmdClear)})
        w->setVisible(!grey);
}

void MusicSettingsWindow::showPlayerChoice(bool shown) {
    const QSignalBlocker a(optShowPlayer), b(optHidePlayer);
    (shown ? optShowPlayer : optHidePlayer)->setChecked(true);
    labShow->setVisible(shown);
    labNowSetShow->setVisible(shown);
    labHide->setVisible(!shown);
    labNowSetHide->setVisible(!shown);
}

void MusicSettingsWindow::setCounter(const QString& text) { labCodeNum->setText(text); }

void MusicSettingsWindow::showHint(const QString& text) {
    labOpeMsg->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    picOpeMsg->move(ToPixels(810), ToPixels(1875));
    picOpeMsg->show();
    picOpeMsg->raise();
}

void MusicSettingsWindow::hideHint() { picOpeMsg->hide(); }

void MusicSettingsWindow::enableOK(bool on) { cmdOK->setEnabled(on); }

void MusicSettingsWindow::showWait() { m_wait->begin(); }

void MusicSettingsWindow::hideWait() { m_wait->end(); }

void MusicSettingsWindow::refreshPreview() { webView->refresh(); }

void MusicSettingsWindow::closeDone() { QDialog::accept(); }

void MusicSettingsWindow::cmdPastMusic_Click() {
    txtMusicURL->setFocus();
    txtMusicURL->paste();
}

void MusicSettingsWindow::cmdPastLyrics_Click() {
    txtLyrics->setFocus();
    txtLyrics->paste();
}

void MusicSettingsWindow::cmdClear_Click() { txtMusicURL->clear(); }

void MusicSettingsWindow::cmdClosOpeMsg_Click() { logic.cmdClosOpeMsg_Click(chkIKnowOpe->isChecked()); }

void MusicSettingsWindow::reject() {
    MusicSettingsController::rewriteCell();
    QDialog::reject();
}
