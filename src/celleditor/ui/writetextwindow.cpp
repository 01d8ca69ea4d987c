#include "celleditor/ui/writetextwindow.h"

#include "celleditor/celleditor.h"
#include "celleditor/writetext.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "imaging/ui/overlaywidgets.h"
#include "imaging/watermarkdialog.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/fontnames.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QStringList kFontSizes = {"8",  "9",  "10", "11", "12", "13", "14", "15", "16", "18", "20", "22",
                                "24", "26", "28", "36", "42", "48", "54", "60", "66", "72", "78"};

QComboBox* List(QWidget* parent, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->addItems(items);
    return c;
}

void SetFaceColor(QPushButton* button, const QColor& color) {
    QPalette p = button->palette();
    p.setColor(QPalette::Button, color);
    button->setPalette(p);
    button->setAutoFillBackground(true);
}

}  // namespace

WriteTextWindow::WriteTextWindow(const QString& qjw, const QString& qjh, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("在图片上写字"));

    txtText = new QLineEdit(this);
    cmdClearText = new QPushButton(QStringLiteral("清除"), this);
    cobFont = List(this, {});
    cobFontSize = List(this, kFontSizes);
    cobFontSize->setCurrentText(QStringLiteral("16"));
    cobFontType = List(this, {QStringLiteral("常规"), QStringLiteral("斜体"), QStringLiteral("粗体"), QStringLiteral("粗斜体")});
    cheUnderline = new QCheckBox(QStringLiteral("下划线"), this);
    cheStrikethru = new QCheckBox(QStringLiteral("删除线"), this);
    cheBackStyle = new QCheckBox(QStringLiteral("无背景色"), this);
    cheBackStyle->setChecked(true);
    cheBorder = new QCheckBox(QStringLiteral("边框"), this);
    che3DBorder = new QCheckBox(QStringLiteral("3D边框"), this);
    che3DBorder->setEnabled(false);
    cmdSetBackColor = new QPushButton(QStringLiteral("背景颜色"), this);
    SetFaceColor(cmdSetBackColor, Qt::white);
    cmdSetFontColor = new QPushButton(QStringLiteral("字体颜色"), this);
    SetFaceColor(cmdSetFontColor, QColor(255, 255, 128));

    picEdit = new QFrame(this);
    picEdit->setFixedSize(twips::ToPixels(kWriteAreaWidth), twips::ToPixels(kWriteAreaHeight));
    picEdit->setAutoFillBackground(true);
    QPalette grey = picEdit->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    picEdit->setPalette(grey);
    imgPic = new OverlayPictureBox(true, picEdit);
    labText = new OverlayLabelBox(picEdit);
    labText->installEventFilter(this);

    cmdMergePic = new QPushButton(QStringLiteral("合并图层"), this);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOpenTeach = new QPushButton(QStringLiteral("打开教程"), this);
    cmdCloseTeach = new QPushButton(QStringLiteral("关闭教程"), this);
    cmdCloseTeach->hide();
    webAD = new WebBrowser(this);
    webAD->setFixedSize(twips::ToPixels(kWriteAreaWidth), twips::ToPixels(900));

    auto* main = new QVBoxLayout(this);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(new QLabel(QStringLiteral("文字"), this));
    row1->addWidget(txtText, 1);
    row1->addWidget(cmdClearText);
    main->addLayout(row1);
    auto* row2 = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{cobFont, cobFontSize, cobFontType, cheUnderline, cheStrikethru, cheBackStyle,
                                                      cheBorder, che3DBorder, cmdSetBackColor, cmdSetFontColor})
        row2->addWidget(w);
    main->addLayout(row2);
    main->addWidget(picEdit);
    auto* row3 = new QHBoxLayout;
    for (QWidget* w : {cmdOpenTeach, cmdCloseTeach}) row3->addWidget(w);
    row3->addStretch(1);
    for (QWidget* w : {cmdMergePic, cmdOK, cmdCancel}) row3->addWidget(w);
    main->addLayout(row3);
    main->addWidget(webAD);

    teachpicTeach = teachpanel::CreateWriteTextPanel(this);
    teachpicTeach->hide();
    teachpicTeach->dockInLayout(main, 0);

    connectHandlers();

    Form_Load(qjw, qjh);
}

void WriteTextWindow::connectHandlers() {
    connect(txtText, &QLineEdit::textChanged, this, [this] { txtText_Change(); });
    connect(cmdClearText, &QPushButton::clicked, this, [this] { cmdClearText_Click(); });
    connect(cobFont, &QComboBox::activated, this, [this] { cobFont_Click(); });
    connect(cobFontSize, &QComboBox::activated, this, [this] { cobFontSize_Click(); });
    connect(cobFontType, &QComboBox::activated, this, [this] { cobFontType_Click(); });
    connect(cheUnderline, &QCheckBox::clicked, this, [this] { cheUnderline_Click(); });
    connect(cheStrikethru, &QCheckBox::clicked, this, [this] { cheStrikethru_Click(); });
    connect(cheBackStyle, &QCheckBox::clicked, this, [this] { cheBackStyle_Click(); });
    connect(cheBorder, &QCheckBox::clicked, this, [this] { cheBorder_Click(); });
    connect(che3DBorder, &QCheckBox::clicked, this, [this] { che3DBorder_Click(); });
    connect(cmdSetBackColor, &QPushButton::clicked, this, [this] { cmdSetBackColor_Click(); });
    connect(cmdSetFontColor, &QPushButton::clicked, this, [this] { cmdSetFontColor_Click(); });
    connect(cmdMergePic, &QPushButton::clicked, this, [this] { cmdMergePic_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdOpenTeach, &QPushButton::clicked, this, [this] { cmdOpenTeach_Click(); });
    connect(cmdCloseTeach, &QPushButton::clicked, this, [this] { cmdCloseTeach_Click(); });
}

void WriteTextWindow::Form_Load(const QString& qjw, const QString& qjh) {
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);

    // Every screen font, highest first character first; the sort's closing empty entry is no font.
    QStringList fonts = SortByFirstChar(ScreenFontNames());
    fonts.removeLast();
    cobFont->addItems(fonts);
    const QString preselected = PreselectedFont(fonts);
    labText->setLabel(InitialWriteTextLabel(preselected.isEmpty() ? font().family() : preselected));
    if (!preselected.isEmpty()) {
        cobFont->setCurrentIndex(int(fonts.indexOf(preselected)));
        cobFont_Click();
    }

    m_picture = LoadPictureToWriteOn(labXZPic);
    const QSize shown = WriteTextShownSize(m_picture, labXZFlag, qjw, qjh);
    imgPic->resize(shown);
    imgPic->setPicture(m_picture);
    imgPic->resize(shown);
    imgPic->move(CentredInWriteArea(shown));
    centreLabel();
    labText->raise();

    cobFontType->setCurrentIndex(0);
    cobFontType_Click();

    teachpicTeach->openFirstTimes(UcsTeachWriteText, [this] { cmdOpenTeach_Click(); });

    webAD->Navigate(WriteTextAdUrl(QDate::currentDate()));
}

QColor WriteTextWindow::FaceColor(const QPushButton* button) { return button->palette().color(QPalette::Button); }

QImage WriteTextWindow::grab() const {
    return ComposeWrittenPicture(m_picture, imgPic->size(), labText->label(), labText->pos() - imgPic->pos());
}

void WriteTextWindow::changeLabel(const std::function<void(OverlayLabel&)>& change) {
    OverlayLabel l = labText->label();
    change(l);
    labText->setLabel(l);
}

void WriteTextWindow::centreLabel() { labText->move(CentredInWriteArea(labText->size())); }

void WriteTextWindow::txtText_Change() {
    changeLabel([&](OverlayLabel& l) { l.text = txtText->text(); });
}

void WriteTextWindow::cmdClearText_Click() {
    txtText->clear();
    txtText->setFocus();
}

void WriteTextWindow::cobFont_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setFamily(vb::Trim(cobFont->currentText())); });
}

void WriteTextWindow::cobFontSize_Click() {
    const QString size = vb::Trim(cobFontSize->currentText());
    if (!vb::IsNumeric(size)) return;
    changeLabel([&](OverlayLabel& l) { SetFontPoints(l.font, vb::Val(size)); });
}

void WriteTextWindow::cobFontType_Click() {
    changeLabel([&](OverlayLabel& l) { ApplyFontStyle(l.font, vb::Trim(cobFontType->currentText())); });
}

void WriteTextWindow::cheUnderline_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setUnderline(cheUnderline->isChecked()); });
}

void WriteTextWindow::cheStrikethru_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setStrikeOut(cheStrikethru->isChecked()); });
}

void WriteTextWindow::cheBackStyle_Click() {
    changeLabel([&](OverlayLabel& l) {
        l.transparent = cheBackStyle->isChecked();
        l.backColor = FaceColor(cmdSetBackColor);
    });
}

void WriteTextWindow::cheBorder_Click() {
    // The 3-D box keeps its tick while disabled, so ticking the frame again restores its look.
    che3DBorder->setEnabled(cheBorder->isChecked());
    changeLabel([&](OverlayLabel& l) {
        l.frame = FrameOf(cheBorder->isChecked(), che3DBorder->isChecked());
        l.transparent = cheBackStyle->isChecked();
        l.backColor = FaceColor(cmdSetBackColor);
        l.foreColor = FaceColor(cmdSetFontColor);
    });
}

void WriteTextWindow::che3DBorder_Click() {
    changeLabel([&](OverlayLabel& l) { l.frame = FrameOf(cheBorder->isChecked(), che3DBorder->isChecked()); });
}

void WriteTextWindow::cmdSetBackColor_Click() {
    const QColor c = prompts::current().chooseColor(FaceColor(cmdSetBackColor), QStringLiteral("颜色"));
    // A cancelled colour dialog changes nothing.
    if (!c.isValid()) return;
    cheBackStyle->setChecked(false);
    SetFaceColor(cmdSetBackColor, c);
    changeLabel([&](OverlayLabel& l) {
        l.transparent = false;
        l.backColor = c;
    });
}

void WriteTextWindow::cmdSetFontColor_Click() {
    const QColor c = prompts::current().chooseColor(FaceColor(cmdSetFontColor), QStringLiteral("颜色"));
    if (!c.isValid()) return;
    SetFaceColor(cmdSetFontColor, c);
    changeLabel([&](OverlayLabel& l) { l.foreColor = c; });
}

void WriteTextWindow::cmdMergePic_Click() {
    const QImage composition = grab();
    try {
        KeepWriteTextGrab(composition);
    } catch (const VbError& e) {
        ShowWatermarkError(e);
        return;
    }
    // The picture with the text becomes the picture, at the size it had.
    m_picture = LoadPictureToWriteOn(MemberTempPath(QStringLiteral("T.tmp")));
    imgPic->setPicture(m_picture);
    imgPic->resize(composition.size());
    txtText->clear();
    centreLabel();
    txtText->setFocus();
}

void WriteTextWindow::cmdOK_Click() {
    if (SaveWrittenPicture(grab())) accept();
}

void WriteTextWindow::cmdCancel_Click() { reject(); }

void WriteTextWindow::cmdOpenTeach_Click() {
    teachpicTeach->openPanel(cmdOpenTeach, cmdCloseTeach);
}

void WriteTextWindow::cmdCloseTeach_Click() {
    teachpicTeach->closePanel(cmdOpenTeach, cmdCloseTeach, UcsTeachWriteText);
}

bool WriteTextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != labText) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_dragging = true;
        labText->setCursor(Qt::SizeAllCursor);
        return true;
    case QEvent::MouseMove:
        if (m_dragging) {
            // The label's centre follows the pointer; it may leave the picture.
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            labText->move(labText->pos() + at - QPoint(labText->width() / 2, labText->height() / 2));
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        labText->unsetCursor();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}
