#include "siteoptions/ui/prefaceeditorwindow.h"

#include "celleditor/picturesources.h"
#include "celleditor/ui/materialswindow.h"
#include "celleditor/ui/picturedialogs.h"
#include "foundation/folders.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/ui/site_entry.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {

// The preview frame is the cell's size; the browser sits 30 twips up and left so its frame lies outside.
constexpr int kViewWidth = 340;
constexpr int kViewHeight = 215;
constexpr int kBrowserInset = 30;

// Enter in a line moves to the next line; it must press no button.
QPushButton* OffEnter(QPushButton* button) {
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QPushButton* NewButton(const QString& caption, QWidget* parent) { return OffEnter(new QPushButton(caption, parent)); }

}  // namespace

PrefaceEditorWindow::PrefaceEditorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("卷着语设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resetLabels();

    picView = new QFrame(this);
    picView->setFixedSize(kViewWidth, kViewHeight);
    webView = new WebBrowser(picView);
    webView->setGeometry(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset), kViewWidth + 2 * ToPixels(kBrowserInset),
                         kViewHeight + 2 * ToPixels(kBrowserInset));
    labSize = new QLabel(QStringLiteral("[区域大小：340×215(像素)]"), this);

    txtBJ = new QLineEdit(this);
    txtBJ->setReadOnly(true);
    cmdSearchBJ = NewButton(QStringLiteral("浏览"), this);
    CmdBJSC = NewButton(QStringLiteral("从素材库中选择"), this);
    cmdDelBJ = NewButton(QStringLiteral("删除背景"), this);

    fraSetLetter = new QGroupBox(QStringLiteral("编写卷首语(给访客的一封信)"), this);
    auto* letter = new QVBoxLayout(fraSetLetter);
    QFont lineFont(QStringLiteral("宋体"));
    lineFont.setPointSize(12);
    for (int i = 0; i < kLetterLines; ++i) {
        txtLetter[i] = new QLineEdit(fraSetLetter);
        txtLetter[i]->setFont(lineFont);
        txtLetter[i]->installEventFilter(this);
        letter->addWidget(txtLetter[i]);
    }
    cmdClearLetter = NewButton(QStringLiteral("&Q.清空"), fraSetLetter);
    Label16 = new QLabel(QStringLiteral("注：内容限制在8行以内。"), fraSetLetter);
    auto* letterFoot = new QHBoxLayout;
    letterFoot->addWidget(Label16);
    letterFoot->addStretch(1);
    letterFoot->addWidget(cmdClearLetter);
    letter->addLayout(letterFoot);

    createTextStyle(this, QStringLiteral("字体背景颜色"));
    OffEnter(cmdSetFontColor);
    OffEnter(cmdSetFontBackColor);

    cmdView = NewButton(QStringLiteral("&V.预览->"), this);
    cmdOK = NewButton(QStringLiteral("&U.应用到网站中"), this);
    cmdReSet = NewButton(QStringLiteral("&R.重新设置"), this);
    cmdQuit = NewButton(QStringLiteral("&B.返 回"), this);
    cmdOK->setEnabled(false);
    cmdReSet->setEnabled(false);

    // ---- layout
    auto* grid = new QGridLayout(this);
    auto* background = new QHBoxLayout;
    background->addWidget(new QLabel(QStringLiteral("背景图片："), this));
    background->addWidget(txtBJ, 1);
    background->addWidget(cmdSearchBJ);
    background->addWidget(CmdBJSC);
    background->addWidget(cmdDelBJ);
    grid->addLayout(background, 0, 0, 1, 2);
    grid->addWidget(fraSetLetter, 1, 0);
    auto* preview = new QVBoxLayout;
    preview->addWidget(picView);
    preview->addWidget(labSize);
    preview->addStretch(1);
    grid->addLayout(preview, 1, 1);
    auto* style = new QHBoxLayout;
    addTextStyleToRow(style);
    style->addStretch(1);
    grid->addLayout(style, 2, 0, 1, 2);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdView);
    commands->addStretch(1);
    commands->addWidget(cmdOK);
    commands->addWidget(cmdReSet);
    commands->addWidget(cmdQuit);
    grid->addLayout(commands, 3, 0, 1, 2);

    wireView();

    for (int i = 0; i < kLetterLines; ++i)
        connect(txtLetter[i], &QLineEdit::textChanged, this, [this, i] { logic.txtLetter_Change(i); });
    connect(cmdSearchBJ, &QPushButton::clicked, this, [this] { logic.cmdSearchBJ_Click(); });
    connect(CmdBJSC, &QPushButton::clicked, this, [this] { logic.CmdBJSC_Click(); });
    connect(cmdDelBJ, &QPushButton::clicked, this, [this] { logic.cmdDelBJ_Click(); });
    connect(cmdClearLetter, &QPushButton::clicked, this, [this] { logic.cmdClearLetter_Click(); });
    connectTextStyle(this, logic);
    connect(cmdView, &QPushButton::clicked, this, [this] { logic.cmdView_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdReSet, &QPushButton::clicked, this, [this] { logic.cmdReSet_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });

    adjustSize();
    Form_Load();
}

// The materials library found open belongs to this editor's target; it goes with the editor.
PrefaceEditorWindow::~PrefaceEditorWindow() { MaterialsWindow::unload(); }

void PrefaceEditorWindow::Form_Load() { logic.Form_Load(); }

void PrefaceEditorWindow::wireView() {
    PrefaceEditorView& v = logic.view;
    v.lines = MemberHook(this, &PrefaceEditorWindow::lines);
    v.setLines = MemberHook(this, &PrefaceEditorWindow::setLines);
    v.focusLine = MemberHook(this, &PrefaceEditorWindow::focusLine);
    setTextStyleHooks(v);
    v.enableEdits = MemberHook(this, &PrefaceEditorWindow::enableEdits);
    v.setBackgroundPath = MemberHook(this, &PrefaceEditorWindow::setBackgroundPath);
    v.navigatePreview = MemberHook(this, &PrefaceEditorWindow::navigatePreview);
    v.refreshPreview = MemberHook(this, &PrefaceEditorWindow::refreshPreview);
    v.chooseColor = &PrefaceEditorWindow::chooseColor;
    v.choosePictureFile = &PrefaceEditorWindow::choosePictureFile;
    v.offerCrop = MemberHook(this, &PrefaceEditorWindow::offerCrop);
    v.showMaterials = MemberHook(this, &PrefaceEditorWindow::showMaterials);
    v.showPublishDialog = MemberHook(this, &PrefaceEditorWindow::showPublishDialog);
}

QStringList PrefaceEditorWindow::lines() const {
    QStringList lines;
    for (QLineEdit* line : txtLetter) lines << line->text();
    return lines;
}

void PrefaceEditorWindow::setLines(const QStringList& lines) {
    for (int i = 0; i < kLetterLines; ++i) {
        if (txtLetter[i]->text() == lines.value(i)) continue;
        const QSignalBlocker block(txtLetter[i]);
        txtLetter[i]->setText(lines.value(i));
    }
}

void PrefaceEditorWindow::focusLine(int line, int position) {
    if (line < 0 || line >= kLetterLines) return;
    txtLetter[line]->setFocus();
    txtLetter[line]->setCursorPosition(position);
}

void PrefaceEditorWindow::enableEdits(bool on) {
    cmdOK->setEnabled(on);
    cmdReSet->setEnabled(on);
}

void PrefaceEditorWindow::setBackgroundPath(const QString& path) { txtBJ->setText(path); }

void PrefaceEditorWindow::navigatePreview() {
    webView->setSilent(true);
    webView->Navigate(MemberTempPath(QStringLiteral("setpic.html")));
}

void PrefaceEditorWindow::refreshPreview() { webView->refresh(); }

std::optional<QColor> PrefaceEditorWindow::chooseColor() {
    const QColor chosen = prompts::current().chooseColor(QColor(128, 128, 128), QStringLiteral("颜色"));
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

std::optional<QString> PrefaceEditorWindow::choosePictureFile() {
    const QString chosen = prompts::current().openFile(QString(), QtFileFilter(kBackgroundFileFilter), QString());
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

void PrefaceEditorWindow::offerCrop() { OfferPictureCrop(false, this); }

void PrefaceEditorWindow::showMaterials(bool fresh) {
    if (fresh) MaterialsWindow::unload();
    ShowMaterialsLibrary(this);
}

PublishOutcome PrefaceEditorWindow::showPublishDialog() { return OpenPublishDialog(this); }

void PrefaceEditorWindow::cmdOK_Click() { logic.cmdOK_Click(); }

bool PrefaceEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < kLetterLines; ++i) {
            if (watched != txtLetter[i]) continue;
            auto* key = static_cast<QKeyEvent*>(event);
            const int k = key->key();
            // A key that took the caret to another line has done its work (at the edge of the
            // line it left it would do nothing), except a Backspace, which still removes a
            // selection there; Enter never reaches the dialog's buttons.
            const bool moved = logic.txtLetter_KeyDown(i, k, txtLetter[i]->cursorPosition());
            if (moved && k != Qt::Key_Backspace) return true;
            if (k == Qt::Key_Return || k == Qt::Key_Enter) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
