#include "blogs/ui/blogwriterwindow.h"

#include "albums/ui/albums_entry.h"
#include "blogs/ui/blogs_entry.h"
#include "blogs/ui/bloglistwindow.h"
#include "blogs/ui/blogwindowparts.h"
#include "foundation/ui/pleasewait.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "login/ui/login_entry.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {

constexpr int kWidthTwips = 11400;
constexpr int kHeightTwips = 8700;
constexpr int kIconSize = 20;

// The toolbar's pictures: a short glyph of each command, drawn here.
QIcon ToolIcon(const QString& key) {
    static const QHash<QString, QString> glyphs{
        {QStringLiteral("copy"), QStringLiteral("复")},       {QStringLiteral("cut"), QStringLiteral("剪")},
        {QStringLiteral("paste"), QStringLiteral("贴")},      {QStringLiteral("delete"), QStringLiteral("×")},
        {QStringLiteral("bold"), QStringLiteral("B")},        {QStringLiteral("italic"), QStringLiteral("I")},
        {QStringLiteral("underline"), QStringLiteral("U")},   {QStringLiteral("strikethrough"), QStringLiteral("S")},
        {QStringLiteral("justifyleft"), QStringLiteral("≡")}, {QStringLiteral("justifycenter"), QStringLiteral("☰")},
        {QStringLiteral("justifyright"), QStringLiteral("≣")}, {QStringLiteral("forecolor"), QStringLiteral("A")},
        {QStringLiteral("backcolor"), QStringLiteral("▇")},   {QStringLiteral("insertollist"), QStringLiteral("1.")},
        {QStringLiteral("insertullist"), QStringLiteral("•")}, {QStringLiteral("sup"), QStringLiteral("x²")},
        {QStringLiteral("sub"), QStringLiteral("x₂")},         {QStringLiteral("inserthr"), QStringLiteral("—")},
        {QStringLiteral("NewRow"), QStringLiteral("↵")},       {QStringLiteral("create_link"), QStringLiteral("链")},
        {QStringLiteral("unlink"), QStringLiteral("断")},      {QStringLiteral("undo"), QStringLiteral("↶")},
        {QStringLiteral("redo"), QStringLiteral("↷")},
    };
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QFont f = p.font();
    f.setBold(key == QLatin1String("bold"));
    f.setItalic(key == QLatin1String("italic"));
    f.setUnderline(key == QLatin1String("underline"));
    f.setStrikeOut(key == QLatin1String("strikethrough"));
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(key == QLatin1String("forecolor") ? QColor(Qt::red) : QColor(Qt::black));
    p.drawText(pm.rect(), Qt::AlignCenter, glyphs.value(key));
    return QIcon(pm);
}

}  // namespace

BlogWriterWindow::BlogWriterWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("编写博客(Blog)"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(ToPixels(kWidthTwips), ToPixels(kHeightTwips));

    Label1 = new QLabel(QStringLiteral("标题"), this);
    txtTitle = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("类别"), this);
    cobType = new QComboBox(this);
    cobType->setEditable(true);
    cobType->addItems(blogwriter::Categories());

    fraWebTools = new QWidget(this);
    tooWebTools = new QToolBar(fraWebTools);
    tooWebTools->setIconSize(QSize(kIconSize, kIconSize));
    for (const blogwriter::ToolButton& b : blogwriter::ToolButtons()) {
        QAction* a = tooWebTools->addAction(ToolIcon(b.key), b.tooltip);
        a->setToolTip(b.tooltip);
        a->setObjectName(b.key);
        connect(a, &QAction::triggered, this, [this, key = b.key] { tooWebTools_ButtonClick(key); });
    }
    cmbFont = new QComboBox(fraWebTools);
    cmbFont->addItems(blogwriter::FontNames());
    cmbFontSize = new QComboBox(fraWebTools);
    cmbFontSize->addItems(blogwriter::FontSizes());
    picNewRow = NewCaptionButton(fraWebTools, QStringLiteral("↵"), QStringLiteral("另起一行（切行）"));
    auto* toolsRow = new QHBoxLayout(fraWebTools);
    toolsRow->setContentsMargins(0, 0, 0, 0);
    toolsRow->addWidget(tooWebTools);
    toolsRow->addWidget(cmbFont);
    toolsRow->addWidget(cmbFontSize);
    toolsRow->addWidget(picNewRow);
    toolsRow->addStretch();

    picInputAlbum = NewCaptionButton(this, QStringLiteral("插入相册"), QStringLiteral("把上传到网络服务器中的图片相册插入到模板中。"));
    picInputPicture = NewCaptionButton(this, QStringLiteral("插入图片"), QStringLiteral("把上传到网络服务器中的图片插入到模板中。"));
    picUpLoadPicture = NewCaptionButton(this, QStringLiteral("上传图片"), QStringLiteral("把图片上传到网络服务器中"));

    webBlog = new WebBrowser(this);
    webBlog->setSilent(true);

    Frame1 = new QWidget(this);
    cmdOpenTemp = new QPushButton(QStringLiteral("&O.打开"), Frame1);
    cmdSaveTemp = new QPushButton(QStringLiteral("&S.暂存在我的电脑中"), Frame1);
    auto* frame1Row = new QHBoxLayout(Frame1);
    frame1Row->setContentsMargins(0, 0, 0, 0);
    frame1Row->addWidget(cmdOpenTemp);
    frame1Row->addWidget(cmdSaveTemp);
    Frame2 = new QWidget(this);
    cmdUpload = new QPushButton(QStringLiteral("&F.发布到网站中"), Frame2);
    auto* frame2Row = new QHBoxLayout(Frame2);
    frame2Row->setContentsMargins(0, 0, 0, 0);
    frame2Row->addWidget(cmdUpload);
    cmdView = new QPushButton(QStringLiteral("预览"), this);
    cmdView->setToolTip(QStringLiteral("在IE浏览器中预览当前编辑的网页"));
    cmdQuit = new QPushButton(QStringLiteral("&Q.退 出"), this);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(Label1);
    titleRow->addWidget(txtTitle, 3);
    titleRow->addWidget(Label2);
    titleRow->addWidget(cobType, 1);
    auto* insertRow = new QHBoxLayout;
    insertRow->addWidget(picInputAlbum);
    insertRow->addWidget(picInputPicture);
    insertRow->addWidget(picUpLoadPicture);
    insertRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Frame1);
    buttonRow->addStretch();
    buttonRow->addWidget(Frame2);
    buttonRow->addWidget(cmdView);
    buttonRow->addWidget(cmdQuit);
    auto* column = new QVBoxLayout(this);
    column->addLayout(titleRow);
    column->addWidget(fraWebTools);
    column->addLayout(insertRow);
    column->addWidget(webBlog, 1);
    column->addLayout(buttonRow);

    // The album chooser lies over the editor, hidden until opened.
    frmAlbum = new QGroupBox(QStringLiteral("请您选择相册"), this);
    lisAlbum = new QListWidget(frmAlbum);
    chkCenter = new QCheckBox(QStringLiteral("居中"), frmAlbum);
    cmdInputAlbum = new QPushButton(QStringLiteral("&Y.确定"), frmAlbum);
    cmdClose = new QPushButton(QStringLiteral("&C.关闭"), frmAlbum);
    picCloseAlbum = NewCaptionButton(frmAlbum, QStringLiteral("×"), QStringLiteral("关闭相册"));
    auto* albumColumn = new QVBoxLayout(frmAlbum);
    auto* albumTop = new QHBoxLayout;
    albumTop->addStretch();
    albumTop->addWidget(picCloseAlbum);
    albumColumn->addLayout(albumTop);
    albumColumn->addWidget(lisAlbum);
    albumColumn->addWidget(chkCenter);
    auto* albumButtons = new QHBoxLayout;
    albumButtons->addWidget(cmdInputAlbum);
    albumButtons->addWidget(cmdClose);
    albumColumn->addLayout(albumButtons);
    frmAlbum->setAutoFillBackground(true);
    frmAlbum->setFixedSize(ToPixels(3600), ToPixels(4200));
    frmAlbum->hide();

    picNetToService = blogwindows::MakeWaitPicture(this, QStringLiteral("正在处理数据，请您稍候..."));
    m_wait = std::make_unique<PleaseWait>(
        picNetToService, QList<QWidget*>{cmdUpload, cmdView, cmdQuit, fraWebTools, frmAlbum});

    wireView();

    connect(webBlog, &WebBrowser::documentComplete, this, [this] { logic.documentLoaded(); });
    connect(cmbFont, &QComboBox::activated, this, [this] { cmbFont_Click(); });
    connect(cmbFontSize, &QComboBox::activated, this, [this] { cmbFontSize_Click(); });
    picNewRow->onClick = [this] { picNewRow_Click(); };
    txtTitle->installEventFilter(this);
    picInputAlbum->onClick = [this] { picInputAlbum_Click(); };
    picInputPicture->onClick = [this] { picInputPicture_Click(); };
    picUpLoadPicture->onClick = [this] { picUpLoadPicture_Click(); };
    picCloseAlbum->onClick = [this] { cmdClose_Click(); };
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdInputAlbum, &QPushButton::clicked, this, [this] { cmdInputAlbum_Click(); });
    connect(lisAlbum, &QListWidget::itemDoubleClicked, this, [this] { cmdInputAlbum_Click(); });
    connect(cmdSaveTemp, &QPushButton::clicked, this, [this] { cmdSaveTemp_Click(); });
    connect(cmdOpenTemp, &QPushButton::clicked, this, [this] { cmdOpenTemp_Click(); });
    connect(cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });
    connect(cmdUpload, &QPushButton::clicked, this, [this] { cmdUpload_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });

    Form_Load();
}

BlogWriterWindow::~BlogWriterWindow() = default;

void BlogWriterWindow::wireView() {
    BlogWriterView& v = logic.view;
    v.execCommand = MemberHook(this, &BlogWriterWindow::execCommand);
    v.documentText = MemberHook(this, &BlogWriterWindow::documentText);
    v.openPage = MemberHook(this, &BlogWriterWindow::openPage);
    v.shownPage = MemberHook(this, &BlogWriterWindow::shownPage);
    v.refreshEditor = MemberHook(this, &BlogWriterWindow::refreshEditor);
    v.focusEditor = MemberHook(this, &BlogWriterWindow::focusEditor);
    v.title = MemberHook(this, &BlogWriterWindow::title);
    v.setTitle = MemberHook(this, &BlogWriterWindow::setTitle);
    v.category = MemberHook(this, &BlogWriterWindow::category);
    v.setCategory = MemberHook(this, &BlogWriterWindow::setCategory);
    v.focusTitle = MemberHook(this, &BlogWriterWindow::focusTitle);
    v.showFileButtons = MemberHook(this, &BlogWriterWindow::showFileButtons);
    v.showFontPrompts = MemberHook(this, &BlogWriterWindow::showFontPrompts);
    v.showAlbumChooser = MemberHook(this, &BlogWriterWindow::showAlbumChooser);
    v.hideAlbumChooser = MemberHook(this, &BlogWriterWindow::hideAlbumChooser);
    v.selectedAlbum = MemberHook(this, &BlogWriterWindow::selectedAlbum);
    v.centred = MemberHook(this, &BlogWriterWindow::centred);
    v.showWait = MemberHook(this, &BlogWriterWindow::showWait);
    v.hideWait = MemberHook(this, &BlogWriterWindow::hideWait);
    v.openFileManager = MemberHook(this, &BlogWriterWindow::openFileManager);
    v.openUploadWindow = MemberHook(this, &BlogWriterWindow::openUploadWindow);
    v.openPreview = MemberHook(this, &BlogWriterWindow::openPreview);
    v.updateBlogListRow = &BlogWriterWindow::updateBlogListRow;
}

void BlogWriterWindow::execCommand(const QString& command, const QString& value) {
    webBlog->execCommand(command, value);
}

QString BlogWriterWindow::documentText() const { return webBlog->documentOuterHtmlSync(); }

void BlogWriterWindow::openPage(const QString& path) {
    // Design mode first, so the page's own scripts never run.
    webBlog->setDesignMode(true);
    webBlog->Navigate(path);
}

QString BlogWriterWindow::shownPage() const { return QUrl(webBlog->LocationURL()).toLocalFile(); }

void BlogWriterWindow::refreshEditor() { webBlog->refresh(); }

void BlogWriterWindow::focusEditor() { webBlog->setFocus(); }

QString BlogWriterWindow::title() const { return txtTitle->text(); }

void BlogWriterWindow::setTitle(const QString& t) { txtTitle->setText(t); }

QString BlogWriterWindow::category() const { return cobType->currentText(); }

void BlogWriterWindow::setCategory(const QString& c) { cobType->setCurrentText(c); }

void BlogWriterWindow::focusTitle() { txtTitle->setFocus(); }

void BlogWriterWindow::showFileButtons(bool on) { Frame1->setVisible(on); }

void BlogWriterWindow::showFontPrompts() {
    const QSignalBlocker a(cmbFont), b(cmbFontSize);
    cmbFont->setCurrentIndex(0);
    cmbFontSize->setCurrentIndex(0);
}

void BlogWriterWindow::showAlbumChooser(const QStringList& names) {
    lisAlbum->clear();
    lisAlbum->addItems(names);
    frmAlbum->move(webBlog->geometry().topLeft() + QPoint(ToPixels(120), ToPixels(120)));
    frmAlbum->show();
    frmAlbum->raise();
}

void BlogWriterWindow::hideAlbumChooser() { frmAlbum->hide(); }

QString BlogWriterWindow::selectedAlbum() const {
    const QListWidgetItem* item = lisAlbum->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool BlogWriterWindow::centred() const { return chkCenter->isChecked(); }

void BlogWriterWindow::showWait() {
    blogwindows::CentreWaitPicture(this, picNetToService);
    m_wait->begin();
}

void BlogWriterWindow::hideWait() { m_wait->end(); }

void BlogWriterWindow::openFileManager() { OpenFileManager(this); }

void BlogWriterWindow::openUploadWindow() { OpenUploadWindow(this); }

void BlogWriterWindow::openPreview() { OpenWebFrameWindow(this); }

void BlogWriterWindow::updateBlogListRow(int row, const QString& title, const QString& category) {
    if (BlogListWindow* list = BlogListWindow::loaded()) list->logic.updateRow(row, title, category);
}

void BlogWriterWindow::Form_Load() {
    logic.Form_Load();
    blogwindows::PlaceBelowMainWindow(this);
}

void BlogWriterWindow::cmbFont_Click() { logic.cmbFont_Click(cmbFont->currentIndex(), cmbFont->currentText()); }

void BlogWriterWindow::cmbFontSize_Click() { logic.cmbFontSize_Click(cmbFontSize->currentIndex()); }

void BlogWriterWindow::txtTitle_Click() {
    cmbFont->setFocus();
    txtTitle->setFocus();
}

bool BlogWriterWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtTitle && e->type() == QEvent::MouseButtonRelease) txtTitle_Click();
    return QDialog::eventFilter(watched, e);
}

void BlogWriterWindow::reject() {
    if (logic.queryClose()) QDialog::reject();
}

bool InsertIntoBlogWriter(const QString& address) {
    BlogWriterWindow* writer = BlogWriterWindow::loaded();
    if (!writer) return false;
    // No dialog of the engine's own: the address is given.
    writer->webBlog->execCommand(QStringLiteral("InsertImage"), address);
    return true;
}
