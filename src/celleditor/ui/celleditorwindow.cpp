#include "celleditor/ui/celleditorwindow.h"

#include "celleditor/cellpreview.h"
#include "celleditor/state.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "login/state.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/fontnames.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "site/state.h"

#include <QCheckBox>
#include <QComboBox>
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
    connect(hscPic, &QScrollBar::valueChanged, this, [this](int v) { picFrame->move(-ToPixels(v), picFrame->y()); });
    connect(vscPic, &QScrollBar::valueChanged, this, [this](int v) { picFrame->move(picFrame->x(), -ToPixels(v)); });

    picPicInfo = new QWidget(picFrame);
    picPicInfo->setGeometry(0, 0, ToPixels(kFrameWidth), ToPixels(kInfoHeight));
    auto* info = new QVBoxLayout(picPicInfo);

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
    picSetQJ = Row(picPicInfo, {new QLabel(QStringLiteral("前景图片")), txtQJ, cmdSearchQJ, cmdQJSC, cmdQJXZ, cmdDelQJ,
                                new QLabel(QStringLiteral("宽")), txtQJW, labQJW, new QLabel(QStringLiteral("高")), txtQJH,
                                labQJH, cobQJSP, cobQJCZ, cheFlash});
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

    // The hint box floats over the window.
    picOpeMsg = new QFrame(this);
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

    connect(cheBackStyle, &QCheckBox::toggled, this, [this] { cheBackStyle_Click(); });
    connect(cobTX2, &QComboBox::currentIndexChanged, this, [this] { cobTX2_Click(); });
    for (int side = 0; side < 4; ++side)
        connect(marginBox(side), &QLineEdit::textChanged, this, [this, side] { marginChanged(side); });
    connect(chkShowViewLine, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* l : {picViewLineS, picViewLineX, picViewLineZ, picViewLineY}) l->setVisible(on);
    });
    connect(cmdClosOpeMsg, &QPushButton::clicked, this, [this] { cmdClosOpeMsg_Click(); });
    connect(imgCloseOpe, &QPushButton::clicked, this, [this] { imgCloseOpe_Click(); });
    connect(labANQ, &QLabel::linkActivated, this, [this] { labANQ_Click(); });
    connect(cmdOpenTeach, &QPushButton::clicked, this, [this] { cmdOpenTeach_Click(); });
    connect(cmdCloseTeach, &QPushButton::clicked, this, [this] { cmdCloseTeach_Click(); });
    connect(cmdViewTxt, &QPushButton::clicked, this, [this] { cmdViewTxt_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { close(); });

    Form_Load();
}

CellEditorWindow::~CellEditorWindow() = default;

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
    webView->setGeometry(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset), ToPixels(v.width() + kBrowserExtra),
                         ToPixels(v.height() + kBrowserExtra));
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
    cheFlash->setChecked(fore.flashTicked);

    labSize->setText(CellSizeLabel(cell, width, height));
    RedimPendingPictures();

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

void CellEditorWindow::cheBackStyle_Click() {
    ApplyBackStyle(cheBackStyle->isChecked(), SwatchColor(labFontBackColor), TextStyleFields);
}

void CellEditorWindow::cobTX2_Click() {
    const bool shown = SpeedVisible(cobTX2->currentIndex());
    cobSpeed->setVisible(shown);
    labSpeed->setVisible(shown);
}

void CellEditorWindow::marginChanged(int side) {
    QLineEdit* box = marginBox(side);
    const std::optional<int> m = MarginValue(box->text());
    if (!m) {
        MsgBox(kMarginNotNumber, vbInformation, QStringLiteral("提示"));
        box->setText(QStringLiteral("0"));  // runs this handler again on "0"
        box->setFocus();
        box->selectAll();
        return;
    }
    PlaceGuideLine(guides, canvas.view, side, *m);
    placeGuideLines();
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
    teachpicTeach->openPanel();
    teachpicTeach->raise();
    cmdCloseTeach->show();
    cmdOpenTeach->hide();
}

void CellEditorWindow::cmdCloseTeach_Click() {
    teachpicTeach->closePanel();
    cmdCloseTeach->hide();
    cmdOpenTeach->show();
    SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
}

void CellEditorWindow::Form_QueryUnload() {
    if (!cmdOK->isEnabled()) return;
    if (MsgBox(kApplyQuestion, vbYesNo + vbQuestion, QStringLiteral("提示")) == vbYes)
        cmdOK_Click();
}

void CellEditorWindow::Form_Unload() {
    // The materials library window comes with the picture sources; nothing to unload yet.
    teachpicTeach->teachTimer1->stop();
    teachpicTeach->teachTimer2->stop();
}

// Every way out (the close box, Escape, the return button) ends here: the dialog's close runs reject.
void CellEditorWindow::reject() {
    if (!m_closing) {
        m_closing = true;
        Form_QueryUnload();
        Form_Unload();
    }
    QDialog::reject();
}
