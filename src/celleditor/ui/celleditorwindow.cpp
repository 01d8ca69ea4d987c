#include "celleditor/ui/celleditorwindow.h"

#include "albums/ui/albums_entry.h"
#include "celleditor/cellpreview.h"
#include "celleditor/picturesources.h"
#include "celleditor/ui/materialswindow.h"
#include "celleditor/ui/picturedialogs.h"
#include "state/celleditorstate.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "celleditor/ui/webcapturewindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "celleditor/webpicture.h"
#include "imaging/watermarkdialog.h"
#include "platform/vberror.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/fontnames.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/vbtext.h"
#include "platform/ui/webbrowser.h"
#include "platform/ui/windowgeometry.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "site/ui/site_entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

using twips::ToPixels;
using namespace CellCanvas;

namespace {

QComboBox* NewList(QWidget* parent, const QStringList& items, bool editable = false) {
    auto* c = new QComboBox(parent);
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

QStringList Numbers(std::initializer_list<int> values) {
    QStringList out;
    for (int v : values) out << QString::number(v);
    return out;
}

void Swatch(QLabel* label, const QColor& c) {
    label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(c.name()));
    label->setProperty("colour", c);
}

QColor SwatchColor(const QLabel* label) { return label->property("colour").value<QColor>(); }

QWidget* NewLine(QWidget* parent) {
    auto* w = new QWidget(parent);
    w->setStyleSheet(QStringLiteral("background-color: red;"));
    w->hide();
    return w;
}

QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget(parent);
    auto* l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets) {
        w->setParent(row);
        l->addWidget(w);
    }
    l->addStretch();
    return row;
}

}  // namespace

CellEditorWindow::CellEditorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("区域设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose, false);

    // The canvas: a fixed viewport over picFrame, which the two scroll bars move.
    picSet = new QWidget(this);
    picSet->setFixedSize(ToPixels(kHScrollWidth + 255), ToPixels(kVScrollHeight + 255));
    auto* viewport = new QWidget(picSet);
    viewport->setGeometry(0, 0, ToPixels(kFrameWidth), ToPixels(kFrameHeight));
    picFrame = new QWidget(viewport);
    picFrame->setGeometry(0, 0, ToPixels(kFrameWidth), ToPixels(kFrameHeight));
    picView = new QWidget(picFrame);
    webView = new WebBrowser(picView);
    webView->setSilent(true);
    picViewLineS = NewLine(picFrame);
    picViewLineX = NewLine(picFrame);
    picViewLineZ = NewLine(picFrame);
    picViewLineY = NewLine(picFrame);
    hscPic = new QScrollBar(Qt::Horizontal, picSet);
    hscPic->setGeometry(0, ToPixels(kFrameHeight), ToPixels(kHScrollWidth), ToPixels(255));
    hscPic->setEnabled(false);
    vscPic = new QScrollBar(Qt::Vertical, picSet);
    vscPic->setGeometry(ToPixels(kFrameWidth), 0, ToPixels(255), ToPixels(kVScrollHeight));
    vscPic->setEnabled(false);
    connect(hscPic, &QScrollBar::valueChanged, this, [this](int v) { hscPic_Change(v); });
    connect(vscPic, &QScrollBar::valueChanged, this, [this](int v) { vscPic_Change(v); });

    picPicInfo = new QWidget(picFrame);
    picPicInfo->setGeometry(0, 0, ToPixels(kFrameWidth), ToPixels(kInfoHeight));
    auto* info = new QVBoxLayout(picPicInfo);
    // Tight, so that every row fits the panel's fixed height.
    info->setContentsMargins(6, 2, 6, 2);
    info->setSpacing(2);

    txtBJ = new QLineEdit(this);
    cmdSearchBJ = new QPushButton(QStringLiteral("浏览 [背景图]"), this);
    CmdBJSC = new QPushButton(QStringLiteral("从素材库中选择"), this);
    cmdBJXZ = new QPushButton(QStringLiteral("在背景图片上写字"), this);
    cmdDelBJ = new QPushButton(QStringLiteral("删除背景"), this);
    picSetBJ = Row(picPicInfo, {new QLabel(QStringLiteral("背景图片")), txtBJ, cmdSearchBJ, CmdBJSC, cmdBJXZ, cmdDelBJ});
    labBJInfo = new QLabel(kBackgroundInfoDesign, this);
    for (int i = 0; i < 4; ++i) {
        cmdUploadAreaPic[size_t(i)] = new QPushButton(QStringLiteral("上传图片"), this);
        cmdUploadAreaPic[size_t(i)]->hide();
    }
    picSetBJInfo = Row(picPicInfo, {labBJInfo, cmdUploadAreaPic[0], cmdUploadAreaPic[1], cmdUploadAreaPic[2]});
    picSetBJInfo->hide();

    txtQJ = new QLineEdit(this);
    cmdSearchQJ = new QPushButton(QStringLiteral("浏览 [前景图]"), this);
    cmdQJSC = new QPushButton(QStringLiteral("从素材库中选择"), this);
    cmdQJXZ = new QPushButton(QStringLiteral("在前景图片上写字"), this);
    cmdDelQJ = new QPushButton(QStringLiteral("删除前景"), this);
    txtQJW = new QLineEdit(this);
    labQJW = new QLabel(this);
    txtQJH = new QLineEdit(this);
    txtQJ->setMinimumWidth(ToPixels(2400));
    txtQJW->setFixedWidth(ToPixels(600));
    txtQJH->setFixedWidth(ToPixels(600));
    labQJH = new QLabel(this);
    cobQJSP = NewList(this, {QStringLiteral("居中"), QStringLiteral("左对齐"), QStringLiteral("右对齐")});
    cobQJCZ = NewList(this, {QStringLiteral("居中"), QStringLiteral("顶端"), QStringLiteral("底端")});
    cheFlash = new QCheckBox(QStringLiteral("Flash背景透明"), this);
    cheFlash->setChecked(true);
    // Two rows: the picture's source, then its size and alignment; one row cut the buttons short.
    picSetQJ = new QWidget(picPicInfo);
    auto* qj = new QVBoxLayout(picSetQJ);
    qj->setContentsMargins(0, 0, 0, 0);
    qj->addWidget(Row(picSetQJ, {new QLabel(QStringLiteral("前景图片")), txtQJ, cmdSearchQJ, cmdQJSC, cmdQJXZ, cmdDelQJ}));
    qj->addWidget(Row(picSetQJ, {new QLabel(QStringLiteral("宽")), txtQJW, labQJW, new QLabel(QStringLiteral("高")), txtQJH,
                                 labQJH, cobQJSP, cobQJCZ, cheFlash}));
    cheFlash->hide();
    picSet12QJ = Row(picPicInfo, {new QLabel(kForeground12Note), cmdUploadAreaPic[3]});
    picSet12QJ->hide();

    txtTxt = new QPlainTextEdit(this);
    txtTxt->setFixedHeight(ToPixels(900));
    cobTC = NewList(this, {QStringLiteral("在前景图之下"), QStringLiteral("在前景图之上")});
    cobTxtSP = NewList(this, {QStringLiteral("居中"), QStringLiteral("左对齐"), QStringLiteral("右对齐")});
    cobTxtCZ = NewList(this, {QStringLiteral("居中"), QStringLiteral("顶端"), QStringLiteral("底端")});
    txtBJS = new QLineEdit(QStringLiteral("0"), this);
    txtBJX = new QLineEdit(QStringLiteral("0"), this);
    txtBJZ = new QLineEdit(QStringLiteral("0"), this);
    txtBJY = new QLineEdit(QStringLiteral("0"), this);
    for (QLineEdit* box : {txtBJS, txtBJX, txtBJZ, txtBJY}) box->setFixedWidth(ToPixels(600));
    cobFontSize = NewList(this, Numbers({8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 36, 42, 48, 54, 60, 66, 72, 78}), true);
    cobFontSize->setCurrentText(QStringLiteral("16"));
    cobFont = NewList(this, {});
    labFontColor = new QLabel(this);
    Swatch(labFontColor, Qt::black);
    cmdSetFontColor = new QPushButton(QStringLiteral("字体颜色"), this);
    labFontBackColor = new QLabel(this);
    Swatch(labFontBackColor, Qt::white);
    cmdSetBackColor = new QPushButton(QStringLiteral("背景颜色"), this);
    cheBackStyle = new QCheckBox(QStringLiteral("无背景色"), this);
    cheBackStyle->setChecked(true);
    cobFontType = NewList(this, {QStringLiteral("常规"), QStringLiteral("斜体"), QStringLiteral("粗体"), QStringLiteral("粗斜体")});
    cheUnderline = new QCheckBox(QStringLiteral("下划线"), this);
    cheStrikethru = new QCheckBox(QStringLiteral("删除线"), this);
    cobTX1 = NewList(this, {QStringLiteral("无"), QStringLiteral("艺术字1"), QStringLiteral("艺术字2")});
    cobTX2 = NewList(this, {QStringLiteral("无"), QStringLiteral("从右向左"), QStringLiteral("从左向右"),
                            QStringLiteral("从下向上"), QStringLiteral("从上向下")});
    cobSpeed = NewList(this, kSpeedItems);
    labSpeed = new QLabel(QStringLiteral("速度"), this);
    chkShowViewLine = new QCheckBox(QStringLiteral("显示参考线"), this);
    cmdViewTxt = new QPushButton(QStringLiteral("预览文字效果"), this);
    cmdDelTxt = new QPushButton(QStringLiteral("删除文字"), this);
    picText = new QWidget(picPicInfo);
    auto* text = new QVBoxLayout(picText);
    text->setContentsMargins(0, 0, 0, 0);
    auto* textTop = Row(picText, {new QLabel(QStringLiteral("插入文字")), txtTxt});
    text->addWidget(textTop);
    text->addWidget(Row(picText, {cobTC, cobTxtSP, cobTxtCZ, new QLabel(QStringLiteral("边距： ")),
                                  new QLabel(QStringLiteral("上")), txtBJS, new QLabel(QStringLiteral("下")), txtBJX,
                                  new QLabel(QStringLiteral("左")), txtBJZ, new QLabel(QStringLiteral("右")), txtBJY}));
    text->addWidget(Row(picText, {cobFontSize, cobFont, labFontColor, cmdSetFontColor, labFontBackColor, cmdSetBackColor,
                                  cheBackStyle, cobFontType, cheUnderline, cheStrikethru}));
    text->addWidget(Row(picText, {cobTX1, cobTX2, labSpeed, cobSpeed, chkShowViewLine, cmdViewTxt, cmdDelTxt}));
    cobSpeed->hide();
    labSpeed->hide();
    auto* textInfo = new QLabel(kTextInfoNote, this);
    textInfo->setWordWrap(true);
    picSetTextInfo = Row(picPicInfo, {textInfo});
    picSetTextInfo->hide();
    for (QWidget* w : {picSetBJ, picSetBJInfo, picSetQJ, picSet12QJ, picText, picSetTextInfo}) info->addWidget(w);
    info->addStretch();

    cmdReSet = new QPushButton(QStringLiteral("&R.重新设置"), this);
    cmdOK = new QPushButton(QStringLiteral("&U.应用到网站中"), this);
    cmdReSet->setEnabled(false);
    cmdOK->setEnabled(false);
    cmdQuit = new QPushButton(QStringLiteral("&B.返 回"), this);
    labANQ = new QLabel(QStringLiteral("<a href=\"#\">常见问题解答...</a>"), this);
    labSize = new QLabel(this);
    webAD = new WebBrowser(this);
    webAD->setFixedHeight(ToPixels(900));
    cmdOpenTeach = new QPushButton(QStringLiteral("打开教程"), this);
    cmdCloseTeach = new QPushButton(QStringLiteral("关闭教程"), this);
    cmdCloseTeach->hide();

    auto* bottom = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(labSize), static_cast<QWidget*>(labANQ)}) bottom->addWidget(w);
    bottom->addStretch();
    for (QWidget* w : {cmdOpenTeach, cmdCloseTeach, cmdReSet, cmdOK, cmdQuit}) bottom->addWidget(w);
    auto* main = new QVBoxLayout(this);
    main->addWidget(webAD);
    main->addWidget(picSet);
    main->addLayout(bottom);

    teachpicTeach = teachpanel::CreateCellEditorPanel(this);
    teachpicTeach->hide();
    teachpicTeach->dockInLayout(main, 0, webAD);

    // The hint box floats over the window, beside the control it explains.
    picOpeMsg = new QFrame(this);
    picOpeMsg->setObjectName(QStringLiteral("hintBox"));
    static_cast<QFrame*>(picOpeMsg)->setFrameShape(QFrame::Box);
    picOpeMsg->setAutoFillBackground(true);
    auto* hint = new QGridLayout(picOpeMsg);
    labOpeMsg = new QLabel(QStringLiteral("提示："), picOpeMsg);
    chkIKnowOpe = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了"), picOpeMsg);
    cmdClosOpeMsg = new QPushButton(QStringLiteral("&C.关闭"), picOpeMsg);
    imgCloseOpe = new QPushButton(QStringLiteral("×"), picOpeMsg);
    imgCloseOpe->setFlat(true);
    hint->addWidget(labOpeMsg, 0, 0);
    hint->addWidget(imgCloseOpe, 0, 1, Qt::AlignTop | Qt::AlignRight);
    hint->addWidget(chkIKnowOpe, 1, 0);
    hint->addWidget(cmdClosOpeMsg, 1, 1);
    picOpeMsg->hide();
    // A tutorial panel opened or closed moves the text box; the hint follows it.
    for (QWidget* w : {static_cast<QWidget*>(txtTxt), static_cast<QWidget*>(teachpicTeach)}) w->installEventFilter(this);

    connectTextHandlers();
    connectPictureHandlers();
    connectCommandHandlers();
    wireView();

    Form_Load();
}

CellEditorWindow::~CellEditorWindow() = default;

// A list's Click ran for the member's choice and for a position set by code alike: both are
// currentIndexChanged here (the opening fills the panel with signals blocked).
void CellEditorWindow::connectTextHandlers() {
    connect(cheBackStyle, &QCheckBox::toggled, this, [this] { cheBackStyle_Click(); });
    connect(cobTX2, &QComboBox::currentIndexChanged, this, [this] { cobTX2_Click(); });
    connect(cobFont, &QComboBox::currentIndexChanged, this, [this] { cobFont_Click(); });
    connect(cobFontType, &QComboBox::currentIndexChanged, this, [this] { cobFontType_Click(); });
    connect(cobSpeed, &QComboBox::currentIndexChanged, this, [this] { cobSpeed_Click(); });
    connect(cobTC, &QComboBox::currentIndexChanged, this, [this] { cobTC_Click(); });
    connect(cobTxtCZ, &QComboBox::currentIndexChanged, this, [this] { cobTxtCZ_Click(); });
    connect(cobTxtSP, &QComboBox::currentIndexChanged, this, [this] { cobTxtSP_Click(); });
    connect(cheUnderline, &QCheckBox::toggled, this, [this] { cheUnderline_Click(); });
    connect(cheStrikethru, &QCheckBox::toggled, this, [this] { cheStrikethru_Click(); });
    connect(cobTX1, &QComboBox::currentIndexChanged, this, [this] { cobTX1_Click(); });
    connect(txtTxt, &QPlainTextEdit::textChanged, this, [this] { txtTxt_Change(); });
    // Choosing a font size from the list runs its Click; typing one is checked as typed.
    connect(cobFontSize, &QComboBox::activated, this, [this] { cobFontSize_Click(); });
    connect(cobFontSize->lineEdit(), &QLineEdit::textEdited, this, [this] { cobFontSize_Change(); });
    cobFontSize->setInsertPolicy(QComboBox::NoInsert);
    cobFontSize->installEventFilter(this);
    cobFontSize->lineEdit()->installEventFilter(this);
    connect(cmdSetFontColor, &QPushButton::clicked, this, [this] { cmdSetFontColor_Click(); });
    connect(cmdSetBackColor, &QPushButton::clicked, this, [this] { cmdSetBackColor_Click(); });
    connect(cmdDelTxt, &QPushButton::clicked, this, [this] { cmdDelTxt_Click(); });
    for (int side = 0; side < 4; ++side)
        connect(marginBox(side), &QLineEdit::textChanged, this, [this, side] { marginChanged(side); });
    connect(chkShowViewLine, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* l : {picViewLineS, picViewLineX, picViewLineZ, picViewLineY}) l->setVisible(on);
    });
    connect(cmdViewTxt, &QPushButton::clicked, this, [this] { cmdViewTxt_Click(); });
}

// The lists' Click is currentIndexChanged, as for the text panel's lists.
void CellEditorWindow::connectPictureHandlers() {
    connect(cobQJCZ, &QComboBox::currentIndexChanged, this, [this] { cobQJCZ_Click(); });
    connect(cobQJSP, &QComboBox::currentIndexChanged, this, [this] { cobQJSP_Click(); });
    connect(cheFlash, &QCheckBox::toggled, this, [this] { cheFlash_Click(); });
    connect(cmdDelBJ, &QPushButton::clicked, this, [this] { cmdDelBJ_Click(); });
    connect(cmdDelQJ, &QPushButton::clicked, this, [this] { cmdDelQJ_Click(); });
    connect(txtQJW, &QLineEdit::textChanged, this, [this] { txtQJW_Change(); });
    connect(txtQJH, &QLineEdit::textChanged, this, [this] { txtQJH_Change(); });
    // Enter moves on: width, height, then the horizontal alignment; each move leaves a box.
    connect(txtQJW, &QLineEdit::returnPressed, this, [this] { txtQJH->setFocus(); });
    connect(txtQJH, &QLineEdit::returnPressed, this, [this] { cobQJSP->setFocus(); });
    txtQJW->installEventFilter(this);
    txtQJH->installEventFilter(this);
    connect(txtBJ, &QLineEdit::textChanged, this, [this](const QString& t) { txtBJ->setToolTip(t); });
    connect(txtQJ, &QLineEdit::textChanged, this, [this](const QString& t) { txtQJ->setToolTip(t); });
    connect(cmdSearchBJ, &QPushButton::clicked, this, [this] { cmdSearchBJ_Click(); });
    connect(cmdSearchQJ, &QPushButton::clicked, this, [this] { cmdSearchQJ_Click(); });
    connect(CmdBJSC, &QPushButton::clicked, this, [this] { CmdBJSC_Click(); });
    connect(cmdQJSC, &QPushButton::clicked, this, [this] { cmdQJSC_Click(); });
    connect(cmdBJXZ, &QPushButton::clicked, this, [this] { cmdBJXZ_Click(); });
    connect(cmdQJXZ, &QPushButton::clicked, this, [this] { cmdQJXZ_Click(); });
    for (int i = 0; i < 4; ++i)
        connect(cmdUploadAreaPic[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdUploadAreaPic_Click(i); });
}

void CellEditorWindow::connectCommandHandlers() {
    connect(cmdReSet, &QPushButton::clicked, this, [this] { cmdReSet_Click(); });
    connect(cmdClosOpeMsg, &QPushButton::clicked, this, [this] { cmdClosOpeMsg_Click(); });
    connect(imgCloseOpe, &QPushButton::clicked, this, [this] { imgCloseOpe_Click(); });
    connect(labANQ, &QLabel::linkActivated, this, [this] { labANQ_Click(); });
    connect(cmdOpenTeach, &QPushButton::clicked, this, [this] { cmdOpenTeach_Click(); });
    connect(cmdCloseTeach, &QPushButton::clicked, this, [this] { cmdCloseTeach_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

void CellEditorWindow::wireView() {
    view.showPublishDialog = MemberHook(this, &CellEditorWindow::showPublishDialog);
}

PublishOutcome CellEditorWindow::showPublishDialog() { return OpenPublishDialog(this); }

QLineEdit* CellEditorWindow::marginBox(int side) const {
    switch (side) {
    case 0: return txtBJS;
    case 1: return txtBJX;
    case 2: return txtBJZ;
    default: return txtBJY;
    }
}

void CellEditorWindow::placeGuideLines() {
    const QRect v = canvas.view;
    picViewLineS->setGeometry(ToPixels(v.left()), ToPixels(guides.top), ToPixels(v.width()), 1);
    picViewLineX->setGeometry(ToPixels(v.left()), ToPixels(guides.bottom), ToPixels(v.width()), 1);
    picViewLineZ->setGeometry(ToPixels(guides.left), ToPixels(v.top()), 1, ToPixels(v.height()));
    picViewLineY->setGeometry(ToPixels(guides.right), ToPixels(v.top()), 1, ToPixels(v.height()));
}

void CellEditorWindow::Form_Load() {
    resetLabels();
    EditorReady = false;
    const QStringList& rec = CellRecord;
    const QString cell = rec.value(0);
    const QString width = rec.value(1);
    const QString height = rec.value(2);
    if (cell == QLatin1String("12")) picSetQJVisible = false;

    webView->Navigate(MemberTempPath(QStringLiteral("setpic.html")));

    canvas = LayOutCanvas(width.toInt(), height.toInt());
    picFrame->resize(ToPixels(canvas.frameWidth), ToPixels(canvas.frameHeight));
    hscPic->setEnabled(canvas.hscEnabled);
    hscPic->setMaximum(canvas.hscMax);
    vscPic->setEnabled(canvas.vscEnabled);
    vscPic->setMaximum(canvas.vscMax);
    const QRect v = canvas.view;
    picView->setGeometry(ToPixels(v.left()), ToPixels(v.top()), ToPixels(v.width()), ToPixels(v.height()));
    webView->setGeometry(0, 0, ToPixels(v.width() + kBrowserExtra), ToPixels(v.height() + kBrowserExtra));
    guides = EdgeGuideLines(v);
    placeGuideLines();
    labQJW->setText(QStringLiteral("≤") + width);
    labQJH->setText(QStringLiteral("≤") + height);

    // Font list: the installed families and the mapped names, highest first character first.
    QStringList fonts = SortByFirstChar(ScreenFontNames());
    fonts.removeLast();
    {
        const QSignalBlocker block(cobFont);
        cobFont->addItems(fonts);
        cobFont->setCurrentIndex(int(fonts.indexOf(PreselectedFont(fonts))));
    }

    const ForegroundFields fore = ReadForegroundFields(rec);
    txtQJW->setText(fore.width);
    txtQJH->setText(fore.height);
    if (fore.vertical >= 0) cobQJCZ->setCurrentIndex(fore.vertical);
    if (fore.horizontal >= 0) cobQJSP->setCurrentIndex(fore.horizontal);
    cheFlash->setVisible(fore.flashShown);
    {
        // Quietly: its handler has no ready test and would write a preview from half-filled controls.
        const QSignalBlocker block(cheFlash);
        if (fore.flashSet) cheFlash->setChecked(fore.flashTicked);
    }

    labSize->setText(CellSizeLabel(cell, width, height));
    RedimPendingPictures();

    // Every load starts the player over from its first chapter.
    teachpicTeach->setTeachChapter(0);
    teachpicTeach->openFirstTimes(UcsTeachPicture, [this] { cmdOpenTeach_Click(); });

    txtTxt->setPlainText(CellTextForEditing(rec.value(CellRecordEntry::FirstBlockRow + 6)));

    TextPanelState panel = textPanel();
    TextStyleFields = ReadCellTextStyle(rec.value(CellRecordEntry::FirstBlockRow + 7), fonts, panel);
    setTextPanel(panel);

    const CellPanels p = PanelsForCell(cell, cell == QLatin1String("4") && MusicBoxShown(LocalColumn));
    if (p.backgroundInfo) {
        if (!p.backgroundNote.isEmpty()) labBJInfo->setText(p.backgroundNote);
        picSetBJ->hide();
        picSetBJInfo->show();
        if (p.uploadButton >= 0) cmdUploadAreaPic[size_t(p.uploadButton)]->show();
    }
    if (p.foreground12) {
        picSetQJ->hide();
        picSet12QJ->show();
        cmdUploadAreaPic[3]->show();
        picText->hide();
    }
    if (p.textInfo) {
        picText->hide();
        picSetTextInfo->show();
    }

    if (ShowsTextHint(p.textInfo, txtTxt->toPlainText(), GetUserSetting(UcsHintCellText))) {
        labMsgSN = QString::number(UcsHintCellText);
        QFont f = labOpeMsg->font();
        f.setPointSize(11);
        labOpeMsg->setFont(f);
        // The stored text breaks its line with a carriage return.
        labOpeMsg->setText(QString(kTextHint).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        picOpeMsg->adjustSize();
        picOpeMsg->move(ToPixels(1110), ToPixels(75));
        placeHint();
        picOpeMsg->show();
        picOpeMsg->raise();
    }

    webAD->Navigate(CellEditorAdUrl(QDate::currentDate()));
    EditorReady = true;
    cmdOK->setEnabled(false);
    cmdReSet->setEnabled(false);
}

TextPanelState CellEditorWindow::textPanel() const {
    TextPanelState s;
    s.layer = cobTC->currentIndex();
    s.alignH = cobTxtSP->currentIndex();
    s.alignV = cobTxtCZ->currentIndex();
    for (int side = 0; side < 4; ++side) s.margins[size_t(side)] = marginBox(side)->text();
    s.fontSize = cobFontSize->currentText();
    s.font = cobFont->currentText();
    s.fontType = cobFontType->currentIndex();
    s.underline = cheUnderline->isChecked();
    s.strikethru = cheStrikethru->isChecked();
    s.art = cobTX1->currentIndex();
    s.scrolling = cobTX2->currentIndex();
    s.speed = cobSpeed->currentIndex();
    s.fontColor = SwatchColor(labFontColor);
    s.backColor = SwatchColor(labFontBackColor);
    s.noBackColor = cheBackStyle->isChecked();
    return s;
}

void CellEditorWindow::setTextPanel(const TextPanelState& s) {
    // The controls are filled quietly; the three handlers whose effects last run once afterwards.
    {
        const QSignalBlocker b1(cobTC), b2(cobTxtSP), b3(cobTxtCZ), b4(txtBJS), b5(txtBJX), b6(txtBJZ), b7(txtBJY),
            b8(cobFontSize), b9(cobFont), b10(cobFontType), b11(cheUnderline), b12(cheStrikethru), b13(cobTX1),
            b14(cobTX2), b15(cobSpeed), b16(cheBackStyle);
        cobTC->setCurrentIndex(s.layer);
        cobTxtSP->setCurrentIndex(s.alignH);
        cobTxtCZ->setCurrentIndex(s.alignV);
        for (int side = 0; side < 4; ++side) marginBox(side)->setText(s.margins[size_t(side)]);
        cobFontSize->setCurrentText(s.fontSize);
        if (int i = cobFont->findText(s.font); i >= 0) cobFont->setCurrentIndex(i);
        cobFontType->setCurrentIndex(s.fontType);
        cheUnderline->setChecked(s.underline);
        cheStrikethru->setChecked(s.strikethru);
        cobTX1->setCurrentIndex(s.art);
        cobTX2->setCurrentIndex(s.scrolling);
        cobSpeed->setCurrentIndex(s.speed);
        Swatch(labFontColor, s.fontColor);
        Swatch(labFontBackColor, s.backColor);
        cheBackStyle->setChecked(s.noBackColor);
    }
    for (int side = 0; side < 4; ++side) marginChanged(side);
    cheBackStyle_Click();
    cobTX2_Click();
}

CellEditorSnapshot CellEditorWindow::snapshot() const {
    CellEditorSnapshot s;
    s.record = CellRecord;
    // The box keeps a line break as LF; the text layer and the stored text know CR LF.
    s.text = txtTxt->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    s.panel = textPanel();
    s.foreWidth = txtQJW->text();
    s.foreHeight = txtQJH->text();
    s.flashTicked = cheFlash->isChecked();
    s.foreVertical = cobQJCZ->currentIndex();
    s.foreHorizontal = cobQJSP->currentIndex();
    return s;
}

void CellEditorWindow::CreateViewHtml() {
    WriteCellPreview(snapshot(), TextStyleFields, [this] { webView->refresh(); });
}

void CellEditorWindow::markChanged() {
    cmdOK->setEnabled(true);
    cmdReSet->setEnabled(true);
}

void CellEditorWindow::styleChanged() {
    markChanged();
    if (EditorReady) CreateViewHtml();
}

void CellEditorWindow::readyChange() {
    if (!EditorReady) return;
    markChanged();
    CreateViewHtml();
}

void CellEditorWindow::txtTxt_Change() {
    if (!EditorReady) return;
    // The box holds at most 500 characters.
    if (const QString t = txtTxt->toPlainText(); t.size() > 500) {
        const QSignalBlocker block(txtTxt);
        txtTxt->setPlainText(t.left(500));
        txtTxt->moveCursor(QTextCursor::End);
    }
    readyChange();
}

void CellEditorWindow::cheBackStyle_Click() {
    ApplyBackStyle(cheBackStyle->isChecked(), SwatchColor(labFontBackColor), TextStyleFields);
    styleChanged();
}

void CellEditorWindow::cobTX2_Click() {
    const bool shown = SpeedVisible(cobTX2->currentIndex());
    cobSpeed->setVisible(shown);
    labSpeed->setVisible(shown);
    styleChanged();
}

void CellEditorWindow::cheFlash_Click() {
    // Only a Flash foreground shows the box; not the widget's visibility, which is false while the
    // window itself is hidden.
    if (cheFlash->isHidden()) return;
    CreateViewHtml();
    markChanged();
}

void CellEditorWindow::cmdSetFontColor_Click() {
    const QColor c = prompts::current().chooseColor(SwatchColor(labFontColor), QString());
    if (!c.isValid()) return;  // cancelled: nothing changes
    Swatch(labFontColor, c);
    while (TextStyleFields.size() < kTextStyleFieldCount) TextStyleFields.append(QString());
    TextStyleFields[CellTextStyleField::FontColor] = SwatchColorText(c);
    styleChanged();
}

void CellEditorWindow::cmdSetBackColor_Click() {
    const QColor c = prompts::current().chooseColor(SwatchColor(labFontBackColor), QString());
    if (!c.isValid()) return;  // cancelled: nothing changes
    Swatch(labFontBackColor, c);
    cheBackStyle->setChecked(false);  // runs cheBackStyle_Click when it was ticked
    while (TextStyleFields.size() < kTextStyleFieldCount) TextStyleFields.append(QString());
    TextStyleFields[CellTextStyleField::BackColor] = SwatchColorText(c);
    styleChanged();
}

void CellEditorWindow::cmdDelTxt_Click() {
    txtTxt->clear();  // runs txtTxt_Change
    cmdViewTxt_Click();
    markChanged();
}

void CellEditorWindow::cmdDelBJ_Click() {
    while (CellRecord.size() <= CellRecordEntry::FirstBlockRow) CellRecord.append(QString());
    CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground].clear();
    labBJFlag = QStringLiteral("2");
    CreateViewHtml();
    markChanged();
}

void CellEditorWindow::cmdDelQJ_Click() {
    while (CellRecord.size() <= CellRecordEntry::FirstBlockRow + CellBlock::CellForeground) CellRecord.append(QString());
    CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellForeground].clear();
    labQJFlag = QStringLiteral("2");
    CreateViewHtml();
    markChanged();
}

void CellEditorWindow::marginChanged(int side) {
    QLineEdit* box = marginBox(side);
    // Beyond what the guide lines can take (±2184 pixels) counts as no number too.
    const std::optional<int> m = GuideMarginValue(box->text());
    if (!m) {
        MsgBox(kMarginNotNumber, vbInformation, QStringLiteral("提示"));
        box->setText(QStringLiteral("0"));  // runs this handler again on "0"
        box->setFocus();
        box->selectAll();
        return;
    }
    PlaceGuideLine(guides, canvas.view, side, *m);
    placeGuideLines();
    // A margin is part of the edit: once ready it marks the window changed, so it can be applied.
    if (EditorReady) {
        markChanged();
        CreateViewHtml();
    }
}

void CellEditorWindow::foreSizeChanged(bool width) {
    if (!EditorReady) return;
    QLineEdit* box = width ? txtQJW : txtQJH;
    if (box->text().isEmpty()) return;
    const SizeCheck c =
        CheckForegroundSize(box->text(), CellRecord.value(width ? CellRecordEntry::Width : CellRecordEntry::Height), width);
    for (const QString& message : c.messages) MsgBox(message, vbCritical, QStringLiteral("提示"));
    if (c.corrected) {
        const QSignalBlocker block(box);
        box->setText(c.text);
    }
    if (c.accepted) markChanged();
    box->setFocus();
    if (c.reset) box->selectAll();
    else box->end(false);
    // The preview waits until the box is left.
    (width ? ForeWidthChanged : ForeHeightChanged) = true;
}

void CellEditorWindow::txtQJW_LostFocus() {
    if (!ForeWidthChanged) return;
    ForeWidthChanged = false;
    CreateViewHtml();
}

void CellEditorWindow::txtQJH_LostFocus() {
    if (!ForeHeightChanged) return;
    ForeHeightChanged = false;
    CreateViewHtml();
}

void CellEditorWindow::cobFontSize_Change() {
    if (!EditorReady) return;
    QLineEdit* box = cobFontSize->lineEdit();
    if (box->text().isEmpty()) return;
    const SizeCheck c = CheckFontSize(box->text());
    for (const QString& message : c.messages) MsgBox(message, vbCritical, QStringLiteral("提示"));
    if (c.corrected) box->setText(c.text);  // setText emits no textEdited
    if (!c.accepted) return;
    markChanged();
    FontSizeChanged = true;
}

void CellEditorWindow::cobFontSize_LostFocus() {
    if (!FontSizeChanged) return;
    FontSizeChanged = false;
    CreateViewHtml();
}

void CellEditorWindow::placeHint() {
    // The text hint explains the text box; off the tutorial panel, which is no control itself.
    if (txtTxt->isVisibleTo(this)) windowgeometry::PlaceBeside(picOpeMsg, txtTxt, {teachpicTeach});
}

void CellEditorWindow::moveEvent(QMoveEvent* e) {
    QDialog::moveEvent(e);
    if (!picOpeMsg->isHidden()) placeHint();  // the screen's edge may cut it elsewhere now
}

bool CellEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == txtTxt || watched == teachpicTeach) && !picOpeMsg->isHidden()) {
        const QEvent::Type t = event->type();
        if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show || t == QEvent::Hide) placeHint();
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtQJW) txtQJW_LostFocus();
        else if (watched == txtQJH) txtQJH_LostFocus();
        else if (watched == cobFontSize || watched == cobFontSize->lineEdit()) cobFontSize_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void CellEditorWindow::hscPic_Change(int value) {
    picFrame->move(-ToPixels(value), picFrame->y());
    // The settings area stays at the canvas's left edge while the cell scrolls sideways.
    picPicInfo->move(ToPixels(value), picPicInfo->y());
}

void CellEditorWindow::vscPic_Change(int value) { picFrame->move(picFrame->x(), -ToPixels(value)); }

void CellEditorWindow::pictureChanged() {
    CreateViewHtml();
    markChanged();
}

void CellEditorWindow::writeText(bool foreground) {
    const int entry = CellRecordEntry::FirstBlockRow + (foreground ? CellBlock::CellForeground : CellBlock::CellBackground);
    labXZFlag = foreground ? QStringLiteral("1") : QStringLiteral("0");
    labXZPic = CellRecord.value(entry);
    // A picture given by an address (the cell's stored picture or a material) is first captured
    // from a page that shows it at its size in the cell.
    if (vb::Trim((foreground ? txtQJ : txtBJ)->text()).isEmpty()) {
        const QSize size = WebPicCaptureSize(foreground, txtQJW->text(), txtQJH->text());
        try {
            CreateWebPicHtml(labXZPic, size.width(), size.height(), foreground ? 1 : 0, cheFlash->isChecked());
        } catch (const VbError& e) {
            ShowWatermarkError(e);
            return;
        }
        WebCaptureWindow capture(size, this);
        capture.exec();
    }
    {
        WriteTextWindow dialog(txtQJW->text(), txtQJH->text(), this);
        dialog.exec();
    }
    if (labXZFlag != QLatin1String("OK")) return;
    (foreground ? labQJFlag : labBJFlag) = QStringLiteral("1");
    PendingPictures.set(foreground ? PendingPicture::ForegroundRow : PendingPicture::BackgroundRow,
                        PendingPicture::LocalFile, CellRecord.value(entry));
    pictureChanged();
}

void CellEditorWindow::setRecordEntry(int entry, const QString& value) {
    while (CellRecord.size() <= entry) CellRecord.append(QString());
    CellRecord[entry] = value;
}

namespace {
bool IsJpegOrBmp(const QString& type) { return type == QLatin1String(".jpg") || type == QLatin1String(".bmp"); }

// The file chosen into a path box, or nothing: a cancelled dialog, a blank name, or a file over
// the size rule (its message; the box emptied).
std::optional<QString> ChoosePictureFile(QLineEdit* box, const QString& filter) {
    const QString chosen = prompts::current().openFile(QString(), QtFileFilter(filter), QString());
    if (chosen.isEmpty()) return std::nullopt;
    box->setText(chosen);
    const QString path = vb::Trim(box->text());
    if (path.isEmpty()) return std::nullopt;
    if (const QString message = OversizePictureMessage(path); !message.isEmpty()) {
        MsgBox(message, vbInformation, QStringLiteral("提示"));
        box->clear();
        return std::nullopt;
    }
    return path;
}
}  // namespace

void CellEditorWindow::cmdSearchBJ_Click() {
    const QString before = txtBJ->text();
    const std::optional<QString> path = ChoosePictureFile(txtBJ, kBackgroundFileFilter);
    if (!path) return;
    // A picture that is measured is read before anything is stored: one that cannot be read
    // changes nothing, so no cell page ever names a file that is no picture.
    QImage picture;
    if (IsJpegOrBmp(PictureFileType(*path))) {
        picture = QImage(*path);
        if (picture.isNull()) {
            txtBJ->setText(before);
            return;
        }
    }
    setRecordEntry(CellRecordEntry::FirstBlockRow + CellBlock::CellBackground, txtBJ->text());
    PendingPictures.set(PendingPicture::BackgroundRow, PendingPicture::LocalFile, txtBJ->text());
    if (!picture.isNull()) {
        imgSize = picture;
        if (vb::Val(CellRecord.value(1)) < picture.width() || vb::Val(CellRecord.value(2)) < picture.height())
            OfferPictureCrop(false, this);
    }
    labBJFlag = QStringLiteral("1");
    pictureChanged();
}

void CellEditorWindow::cmdSearchQJ_Click() {
    if (GetUserSetting(UcsHintForegroundReplace).isEmpty()) {
        DialogState = 1;
        ForegroundAdviceDialog advice(this);
        advice.exec();
        if (DialogState == 1) return;
    }
    const QString before = txtQJ->text();
    const std::optional<QString> path = ChoosePictureFile(txtQJ, kForegroundFileFilter);
    if (!path) return;
    const QString type = PictureFileType(*path);
    QImage picture;
    if (type == QLatin1String(".gif") || IsJpegOrBmp(type)) {
        picture = QImage(*path);  // read before anything is stored, as for the background
        if (picture.isNull()) {
            txtQJ->setText(before);
            return;
        }
    }
    const int first = CellRecordEntry::FirstBlockRow;
    setRecordEntry(first + CellBlock::CellForeground, txtQJ->text());
    setRecordEntry(first + CellBlock::CellForeWidth, CellRecord.value(1));
    setRecordEntry(first + CellBlock::CellForeHeight, CellRecord.value(2));
    setRecordEntry(first + CellBlock::CellForeCode, NewPictureForeCode);
    PendingPictures.set(PendingPicture::ForegroundRow, PendingPicture::LocalFile, txtQJ->text());
    if (type == QLatin1String(".swf")) {
        setRecordEntry(first + CellBlock::CellForeCode, NewFlashForeCode);
        cheFlash->show();
        cmdQJXZ->hide();
    } else {
        cheFlash->hide();
        cmdQJXZ->setVisible(type != QLatin1String(".png"));
    }
    // Cell sizes are the runtime's Integers; a stored size beyond them is held at their ends.
    const int cw = int(vb::RoundClamped(vb::Val(CellRecord.value(1)), -32768, 32767));
    const int ch = int(vb::RoundClamped(vb::Val(CellRecord.value(2)), -32768, 32767));
    if (!picture.isNull()) {
        imgSize = picture;
        const int w = picture.width(), h = picture.height();
        if (type == QLatin1String(".gif")) {
            const GifFit fit = FitGifForeground(w, h, cw, ch);
            setRecordEntry(first + CellBlock::CellForeWidth, fit.recordWidth);
            setRecordEntry(first + CellBlock::CellForeHeight, fit.recordHeight);
            txtQJW->setText(QString::number(fit.boxWidth));
            txtQJH->setText(QString::number(fit.boxHeight));
        } else if (w > cw || h > ch) {
            // Only a crop that finished gives the cut's size; otherwise the boxes stay.
            if (OfferPictureCrop(true, this)) {
                txtQJW->setText(CellRecord.value(first + CellBlock::CellForeWidth));
                txtQJH->setText(CellRecord.value(first + CellBlock::CellForeHeight));
            }
        } else {
            txtQJW->setText(QString::number(w));
            txtQJH->setText(QString::number(h));
        }
    }
    labQJFlag = QStringLiteral("1");
    pictureChanged();
}

void CellEditorWindow::openMaterials(bool foreground) {
    labSCURL = MaterialsPageUrl(foreground, CellRecord.value(0));
    const QString code = foreground ? QStringLiteral("1") : QStringLiteral("0");
    // Another target loads the page anew; the same target finds it as it was left.
    if (labURLFlag != code) {
        MaterialsWindow::unload();
        labURLFlag = code;
    }
    ShowMaterialsLibrary(this);
    // A material is now the picture: the path box no longer names it, so writing on it first
    // captures the material (the box names only a file chosen here).
    if ((foreground ? labQJFlag : labBJFlag) == QLatin1String("3")) (foreground ? txtQJ : txtBJ)->clear();
    pictureChanged();
}

void CellEditorWindow::cmdUploadAreaPic_Click(int index) {
    const std::optional<bool> sized = SetUploadAreaLabels(index);
    if (!sized) return;
    if (*sized) OpenSizedUploadWindow(this);
    else OpenUploadWindow(this);
    webView->refresh();
}

bool CellEditorWindow::cmdOK_Click() {
    const bool applied = ApplyCell(snapshot(), TextStyleFields, view);
    if (applied) {
        cmdOK->setEnabled(false);
        cmdReSet->setEnabled(false);
    }
    return applied;
}

void CellEditorWindow::cmdReSet_Click() {
    txtQJ->clear();
    txtBJ->clear();
    const std::optional<ForegroundFields> fore = ResetCellRecord();
    if (fore) {
        // Set as the member would: each control's handler runs (a list whose position changes
        // rebuilds the preview from the controls, with the edited text).
        txtQJW->setText(fore->width);
        txtQJH->setText(fore->height);
        if (fore->vertical >= 0) cobQJCZ->setCurrentIndex(fore->vertical);
        if (fore->horizontal >= 0) cobQJSP->setCurrentIndex(fore->horizontal);
        if (fore->flashShown) {
            if (fore->flashSet) cheFlash->setChecked(fore->flashTicked);
            cheFlash->show();
        }
    }
    webView->refresh();
    cmdReSet->setEnabled(false);
    cmdOK->setEnabled(false);
}

void CellEditorWindow::cmdClosOpeMsg_Click() {
    if (chkIKnowOpe->isChecked()) SetUserSetting(labMsgSN.toInt(), QStringLiteral("1"));
    picOpeMsg->hide();
}

void CellEditorWindow::labANQ_Click() {
    PageUrl = CellEditorHelpUrl();
    OpenUrlInBrowser(PageUrl);
}

void CellEditorWindow::cmdOpenTeach_Click() {
    teachpicTeach->openPanel(cmdOpenTeach, cmdCloseTeach);
}

void CellEditorWindow::cmdCloseTeach_Click() {
    teachpicTeach->closePanel(cmdOpenTeach, cmdCloseTeach, UcsTeachPicture);
}

bool CellEditorWindow::Form_QueryUnload() {
    if (!cmdOK->isEnabled()) return true;
    if (MsgBox(kApplyQuestion, vbYesNo + vbQuestion, QStringLiteral("提示")) == vbYes) return cmdOK_Click();
    return true;
}

void CellEditorWindow::Form_Unload() {
    MaterialsWindow::unload();
    teachpicTeach->teachTimer1->stop();
    teachpicTeach->teachTimer2->stop();
}

// Every way out (the close box, Escape, the return button) ends here: the dialog's close runs reject.
void CellEditorWindow::reject() {
    if (!m_closing) {
        if (!Form_QueryUnload()) return;  // an apply that did not go through keeps the edits open
        m_closing = true;
        Form_Unload();
    }
    QDialog::reject();
}
