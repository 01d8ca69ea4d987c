#include "imaging/ui/watermarksettingswindow.h"

#include "imaging/overlaypainting.h"
#include "imaging/ui/overlaywidgets.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kFontSizes = {
    QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
    QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("18"),
    QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"), QStringLiteral("28"),
    QStringLiteral("36"), QStringLiteral("42"), QStringLiteral("48"), QStringLiteral("54"), QStringLiteral("60"),
    QStringLiteral("66"), QStringLiteral("72"), QStringLiteral("78")};
const QStringList kFontStyles = {QStringLiteral("常规"), QStringLiteral("斜体"), QStringLiteral("粗体"),
                                 QStringLiteral("粗斜体")};
const QStringList kLevels = {QStringLiteral("左对齐"), QStringLiteral("居中对齐"), QStringLiteral("右对齐")};
const QStringList kVerticals = {QStringLiteral("顶端对齐"), QStringLiteral("居中对齐"), QStringLiteral("底端对齐")};

// The largest size the old runtime's fonts took, in points.
constexpr double kMaxFontPoints = 2160;

QLabel* Caption(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y + 3);
    l->adjustSize();
    return l;
}

QComboBox* Combo(QWidget* parent, const QStringList& items, bool editable, const QRect& geometry) {
    auto* c = new QComboBox(parent);
    c->setEditable(editable);
    c->addItems(items);
    c->setGeometry(geometry);
    return c;
}

QCheckBox* Check(QWidget* parent, const QString& text, int x, int y) {
    auto* c = new QCheckBox(text, parent);
    c->move(x, y);
    c->adjustSize();
    return c;
}

QPushButton* Button(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(geometry);
    return b;
}

QLabel* HiddenLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->hide();
    return l;
}

}  // namespace

WatermarkSettingsWindow::WatermarkSettingsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("水印、边框设置"));
    buildControls();
    m_view = makeView();
    connectHandlers();
    Form_Load();
}

void WatermarkSettingsWindow::buildControls() {
    setFixedSize(960, 530);

    picSetWaterMark = new QWidget(this);
    picSetWaterMark->setGeometry(8, 8, twips::ToPixels(kPanelWidthTwips), twips::ToPixels(kPanelHeightTwips));
    picSetWaterMark->setAutoFillBackground(true);
    QPalette panel = picSetWaterMark->palette();
    panel.setColor(QPalette::Window, QColor(128, 128, 128));
    picSetWaterMark->setPalette(panel);
    // Bottom to top: the border over the whole panel, the picture watermark, the text.
    imgBorder = new OverlayPictureBox(true, picSetWaterMark);
    imgBorder->setGeometry(picSetWaterMark->rect());
    imgWaterMark = new OverlayPictureBox(false, picSetWaterMark);
    imgWaterMark->hide();
    labWaterMark = new OverlayLabelBox(picSetWaterMark);
    OverlayLabel designed;
    designed.text = DesignedWatermarkText();
    designed.font.setFamily(QStringLiteral("Arial Black"));
    SetFontPoints(designed.font, 15);
    designed.font.setBold(true);
    designed.font.setItalic(true);
    designed.foreColor = ColorFromNumber(m_textColor);
    designed.backColor = ColorFromNumber(m_backColor);
    designed.transparent = true;
    labWaterMark->setLabel(designed);

    Label2 = new QLabel(QStringLiteral("说明："), this);
    Label2->move(8, 468);
    Label3 = new QLabel(QStringLiteral("在上传图片时选择\"加入水印、边框\" 功能，则在上传时图片将被转换成600×600(像素) 以内的图片。"), this);
    Label3->move(50, 468);
    Label3->adjustSize();

    const int x = 622;
    Caption(this, QStringLiteral("水印文字"), x, 8);
    txtWaterMark = new QLineEdit(designed.text, this);
    txtWaterMark->setGeometry(x, 32, 260, 24);
    cmdClearText = Button(this, QStringLiteral("清除"), QRect(x + 266, 32, 60, 24));
    cmdClearText->setToolTip(QStringLiteral("清空文本框中的水印文字"));

    Caption(this, QStringLiteral("字体"), x, 66);
    cobFont = Combo(this, {}, true, QRect(x + 32, 66, 170, 24));
    Caption(this, QStringLiteral("大小"), x + 210, 66);
    cobFontSize = Combo(this, kFontSizes, true, QRect(x + 242, 66, 84, 24));
    Caption(this, QStringLiteral("字形"), x, 100);
    cobFontType = Combo(this, kFontStyles, false, QRect(x + 32, 100, 90, 24));
    cmdSetFontColor = Button(this, QStringLiteral("字体颜色"), QRect(x + 130, 100, 96, 24));
    cmdSetBackColor = Button(this, QStringLiteral("背景颜色"), QRect(x + 230, 100, 96, 24));

    cheBackStyle = Check(this, QStringLiteral("无背景色"), x, 134);
    cheBackStyle->setChecked(true);
    cheBorder = Check(this, QStringLiteral("边框"), x + 100, 134);
    che3DBorder = Check(this, QStringLiteral("3D边框"), x + 170, 134);
    che3DBorder->setEnabled(false);
    cheUnderline = Check(this, QStringLiteral("下划线"), x, 160);
    cheStrikethru = Check(this, QStringLiteral("删除线"), x + 100, 160);

    Caption(this, QStringLiteral("对齐： 水平"), x, 192);
    cobLevel = Combo(this, kLevels, false, QRect(x + 76, 192, 96, 24));
    Caption(this, QStringLiteral("垂直"), x + 180, 192);
    cobVertical = Combo(this, kVerticals, false, QRect(x + 214, 192, 96, 24));

    cmdInputWaterPic = Button(this, QStringLiteral("插入图片水印"), QRect(x, 240, 130, 26));
    cmdCancelWaterPic = Button(this, QStringLiteral("取消图片水印"), QRect(x + 140, 240, 130, 26));
    chePicBorder = Check(this, QStringLiteral("边框"), x, 274);
    chePic3DBorder = Check(this, QStringLiteral("3D边框"), x + 70, 274);
    chePic3DBorder->setEnabled(false);
    Caption(this, QStringLiteral("水平"), x, 302);
    cobPicLevel = Combo(this, kLevels, false, QRect(x + 34, 302, 96, 24));
    Caption(this, QStringLiteral("垂直"), x + 140, 302);
    cobPicVertical = Combo(this, kVerticals, false, QRect(x + 174, 302, 96, 24));

    cmdBorder = Button(this, QStringLiteral("插入边框"), QRect(x, 350, 130, 26));
    cmdCancelBorder = Button(this, QStringLiteral("取消边框"), QRect(x + 140, 350, 130, 26));

    cmdSave = Button(this, QStringLiteral("&S.保存设置"), QRect(x, 430, 130, 30));
    cmdQuit = Button(this, QStringLiteral("&Q.退 出"), QRect(x + 140, 430, 130, 30));

    labPicWatermark = HiddenLabel(this);
    labPicWatermark->setText(QStringLiteral("0"));
    labPicWaterPath = HiddenLabel(this);
    labBorder = HiddenLabel(this);
    labBorder->setText(QStringLiteral("0"));
    labBorderPath = HiddenLabel(this);
}

// The old runtime ran a control's Change handler when code set its text, and its Click handler
// when code set a check box or a list position; the text box and the size box get the same from
// Qt's change signals, while the code that sets the others calls their handlers itself.
void WatermarkSettingsWindow::connectHandlers() {
    connect(txtWaterMark, &QLineEdit::textChanged, this, [this] { txtWaterMark_Change(); });
    connect(cmdClearText, &QPushButton::clicked, this, [this] { cmdClearText_Click(); });
    connect(cobFont, &QComboBox::activated, this, [this] { cobFont_Click(); });
    connect(cobFontSize, &QComboBox::currentTextChanged, this, [this] { cobFontSize_Change(); });
    connect(cobFontType, &QComboBox::activated, this, [this] { cobFontType_Click(); });
    connect(cmdSetFontColor, &QPushButton::clicked, this, [this] { cmdSetFontColor_Click(); });
    connect(cmdSetBackColor, &QPushButton::clicked, this, [this] { cmdSetBackColor_Click(); });
    connect(cheBackStyle, &QCheckBox::clicked, this, [this] { cheBackStyle_Click(); });
    connect(cheBorder, &QCheckBox::clicked, this, [this] { cheBorder_Click(); });
    connect(che3DBorder, &QCheckBox::clicked, this, [this] { che3DBorder_Click(); });
    connect(cheUnderline, &QCheckBox::clicked, this, [this] { cheUnderline_Click(); });
    connect(cheStrikethru, &QCheckBox::clicked, this, [this] { cheStrikethru_Click(); });
    connect(cobLevel, &QComboBox::activated, this, [this] { PlaceTextLevel(); });
    connect(cobVertical, &QComboBox::activated, this, [this] { PlaceTextVertical(); });
    connect(cmdInputWaterPic, &QPushButton::clicked, this, [this] { cmdInputWaterPic_Click(); });
    connect(cmdCancelWaterPic, &QPushButton::clicked, this, [this] { cmdCancelWaterPic_Click(); });
    connect(chePicBorder, &QCheckBox::clicked, this, [this] { chePicBorder_Click(); });
    connect(chePic3DBorder, &QCheckBox::clicked, this, [this] { chePic3DBorder_Click(); });
    connect(cobPicLevel, &QComboBox::activated, this, [this] { PlacePictureLevel(); });
    connect(cobPicVertical, &QComboBox::activated, this, [this] { PlacePictureVertical(); });
    connect(cmdBorder, &QPushButton::clicked, this, [this] { cmdBorder_Click(); });
    connect(cmdCancelBorder, &QPushButton::clicked, this, [this] { cmdCancelBorder_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

WatermarkDialogView WatermarkSettingsWindow::makeView() {
    WatermarkDialogView v;
    v.setText = MemberHook(this, &WatermarkSettingsWindow::setWatermarkText);
    v.showSettings = MemberHook(this, &WatermarkSettingsWindow::showSettings);
    v.setBorderFlag = MemberHook(this, &WatermarkSettingsWindow::setBorderFlag);
    v.showWatermarkCopy = MemberHook(this, &WatermarkSettingsWindow::showWatermarkCopy);
    v.showBorderCopy = MemberHook(this, &WatermarkSettingsWindow::showBorderCopy);
    v.placeAll = MemberHook(this, &WatermarkSettingsWindow::placeAll);
    v.settings = MemberHook(this, &WatermarkSettingsWindow::currentSettings);
    v.pictureWatermarkPath = MemberHook(this, &WatermarkSettingsWindow::pictureWatermarkPath);
    v.borderPath = MemberHook(this, &WatermarkSettingsWindow::borderPath);
    v.saveEnabled = MemberHook(this, &WatermarkSettingsWindow::saveEnabled);
    v.setSaveEnabled = MemberHook(this, &WatermarkSettingsWindow::setSaveEnabled);
    return v;
}

void WatermarkSettingsWindow::setWatermarkText(const QString& text) { txtWaterMark->setText(text); }

void WatermarkSettingsWindow::setBorderFlag(bool set) {
    labBorder->setText(set ? QStringLiteral("1") : QStringLiteral("0"));
}

void WatermarkSettingsWindow::showWatermarkCopy(const QString& path) {
    const QImage picture(path);
    if (picture.isNull()) return;
    imgWaterMark->setPicture(picture);
    imgWaterMark->show();
}

void WatermarkSettingsWindow::showBorderCopy(const QString& path) { imgBorder->setPicture(QImage(path)); }

void WatermarkSettingsWindow::placeAll() {
    PlaceTextLevel();
    PlaceTextVertical();
    PlacePictureLevel();
    PlacePictureVertical();
}

QString WatermarkSettingsWindow::pictureWatermarkPath() const { return labPicWaterPath->text(); }

QString WatermarkSettingsWindow::borderPath() const { return labBorderPath->text(); }

bool WatermarkSettingsWindow::saveEnabled() const { return cmdSave->isEnabled(); }

void WatermarkSettingsWindow::setSaveEnabled(bool on) { cmdSave->setEnabled(on); }

void WatermarkSettingsWindow::Form_Load() {
    cobFont->addItems(WatermarkFontNames());
    // The designed choices, each applied to the preview by its handler.
    cobLevel->setCurrentIndex(2);
    cobVertical->setCurrentIndex(2);
    cobFont->setEditText(QStringLiteral("Arial Black"));
    cobFont_Click();
    cobFontSize->setEditText(QStringLiteral("15"));
    cobFontType->setCurrentIndex(1);
    cobFontType_Click();
    cobPicLevel->setCurrentIndex(0);
    cobPicVertical->setCurrentIndex(2);
    LoadWatermarkDialog(m_view);
}

void WatermarkSettingsWindow::showSettings(const WatermarkSettings& s) {
    const auto tick = [](QCheckBox* box, bool on) { box->setChecked(on); };
    txtWaterMark->setText(s.text);
    cobFont->setEditText(s.fontName);
    cobFont_Click();
    cobFontSize->setEditText(s.fontSize);
    // A style that is no item of the list leaves the choice (the list takes items only).
    if (const int i = cobFontType->findText(s.fontStyle); i >= 0) {
        cobFontType->setCurrentIndex(i);
        cobFontType_Click();
    }
    tick(che3DBorder, s.textFrame3D);
    che3DBorder_Click();
    setTextColor(s.textColor);
    setBackColor(s.backColor);
    tick(cheBackStyle, s.transparentBack);
    cheBackStyle_Click();
    tick(cheBorder, s.textFrame);
    cheBorder_Click();
    tick(cheUnderline, s.underline);
    cheUnderline_Click();
    tick(cheStrikethru, s.strikeout);
    cheStrikethru_Click();
    cobLevel->setCurrentIndex(s.textAlignH);
    cobVertical->setCurrentIndex(s.textAlignV);
    cobPicLevel->setCurrentIndex(s.pictureAlignH);
    cobPicVertical->setCurrentIndex(s.pictureAlignV);
    tick(chePicBorder, s.pictureFrame);
    chePicBorder_Click();
    tick(chePic3DBorder, s.pictureFrame3D);
    chePic3DBorder_Click();
    labPicWatermark->setText(s.hasPicture ? QStringLiteral("1") : QStringLiteral("0"));
    labPicWaterPath->setText(s.pictureExtension);
}

WatermarkSettings WatermarkSettingsWindow::currentSettings() const {
    WatermarkSettings s;
    s.text = txtWaterMark->text();
    s.fontName = vb::Trim(cobFont->currentText());
    s.fontSize = vb::Trim(cobFontSize->currentText());
    s.fontStyle = vb::Trim(cobFontType->currentText());
    s.textColor = m_textColor;
    s.backColor = m_backColor;
    s.transparentBack = cheBackStyle->isChecked();
    s.textFrame = cheBorder->isChecked();
    s.textFrame3D = che3DBorder->isChecked();
    s.underline = cheUnderline->isChecked();
    s.strikeout = cheStrikethru->isChecked();
    s.textAlignH = cobLevel->currentIndex();
    s.textAlignV = cobVertical->currentIndex();
    s.pictureAlignH = cobPicLevel->currentIndex();
    s.pictureAlignV = cobPicVertical->currentIndex();
    s.pictureFrame = chePicBorder->isChecked();
    s.pictureFrame3D = chePic3DBorder->isChecked();
    s.hasPicture = labPicWatermark->text() == QLatin1String("1");
    s.pictureExtension = WatermarkExtension(labPicWaterPath->text());
    s.hasBorder = labBorder->text() == QLatin1String("1");
    return s;
}

void WatermarkSettingsWindow::changeLabel(const std::function<void(OverlayLabel&)>& change) {
    OverlayLabel label = labWaterMark->label();
    change(label);
    labWaterMark->setLabel(label);
}

void WatermarkSettingsWindow::setTextColor(qint32 number) {
    m_textColor = number;
    changeLabel([&](OverlayLabel& l) { l.foreColor = ColorFromNumber(number); });
}

void WatermarkSettingsWindow::setBackColor(qint32 number) {
    m_backColor = number;
    changeLabel([&](OverlayLabel& l) { l.backColor = ColorFromNumber(number); });
}

void WatermarkSettingsWindow::txtWaterMark_Change() {
    changeLabel([&](OverlayLabel& l) { l.text = txtWaterMark->text(); });
    PlaceTextLevel();
    PlaceTextVertical();
}

void WatermarkSettingsWindow::cmdClearText_Click() { txtWaterMark->clear(); }

void WatermarkSettingsWindow::cobFont_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setFamily(vb::Trim(cobFont->currentText())); });
    PlaceTextLevel();
    PlaceTextVertical();
}

void WatermarkSettingsWindow::cobFontSize_Change() {
    const QString text = vb::Trim(cobFontSize->currentText());
    // A text that is no size the fonts take leaves the size.
    if (vb::IsNumeric(text)) {
        const double points = vb::Val(text);
        if (points > 0 && points <= kMaxFontPoints) changeLabel([&](OverlayLabel& l) { SetFontPoints(l.font, points); });
    }
    PlaceTextLevel();
    PlaceTextVertical();
}

void WatermarkSettingsWindow::cobFontType_Click() {
    changeLabel([&](OverlayLabel& l) { ApplyFontStyle(l.font, vb::Trim(cobFontType->currentText())); });
    PlaceTextLevel();
    PlaceTextVertical();
}

// A cancelled colour dialog changes nothing, the save button included.
void WatermarkSettingsWindow::cmdSetFontColor_Click() {
    const QColor c = prompts::current().chooseColor(ColorFromNumber(m_textColor), QStringLiteral("颜色"));
    if (!c.isValid()) return;
    setTextColor(ColorNumber(c));
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cmdSetBackColor_Click() {
    const QColor c = prompts::current().chooseColor(ColorFromNumber(m_backColor), QStringLiteral("颜色"));
    if (!c.isValid()) return;
    setBackColor(ColorNumber(c));
    cheBackStyle->setChecked(false);
    cheBackStyle_Click();
}

void WatermarkSettingsWindow::cheBackStyle_Click() {
    changeLabel([&](OverlayLabel& l) { l.transparent = cheBackStyle->isChecked(); });
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cheBorder_Click() {
    changeLabel([&](OverlayLabel& l) { l.frame = FrameOf(cheBorder->isChecked(), che3DBorder->isChecked()); });
    che3DBorder->setEnabled(cheBorder->isChecked());
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::che3DBorder_Click() {
    changeLabel([&](OverlayLabel& l) { l.frame = FrameOf(cheBorder->isChecked(), che3DBorder->isChecked()); });
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cheUnderline_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setUnderline(cheUnderline->isChecked()); });
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cheStrikethru_Click() {
    changeLabel([&](OverlayLabel& l) { l.font.setStrikeOut(cheStrikethru->isChecked()); });
    cmdSave->setEnabled(true);
}

QImage WatermarkSettingsWindow::pickPicture(const QString& filter, QString& path) {
    path = prompts::current().openFile(QStringLiteral("打开"), filter, QString());
    if (path.isEmpty()) return QImage();  // cancelled: nothing to say
    try {
        return LoadOverlayPicture(path);
    } catch (const VbError& e) {
        ShowWatermarkError(e);
        return QImage();
    }
}

void WatermarkSettingsWindow::cmdInputWaterPic_Click() {
    QString path;
    const QImage picture = pickPicture(QStringLiteral("图片文件 (*.gif *.jpg *.ico)"), path);
    if (picture.isNull()) return;
    imgWaterMark->setPicture(picture);
    imgWaterMark->show();
    PlacePictureLevel();
    PlacePictureVertical();
    labPicWaterPath->setText(path);
    labPicWatermark->setText(QStringLiteral("1"));
}

void WatermarkSettingsWindow::cmdCancelWaterPic_Click() {
    imgWaterMark->setPicture(QImage());
    imgWaterMark->hide();
    labPicWaterPath->clear();
    labPicWatermark->setText(QStringLiteral("0"));
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::chePicBorder_Click() {
    imgWaterMark->setFrame(FrameOf(chePicBorder->isChecked(), chePic3DBorder->isChecked()));
    chePic3DBorder->setEnabled(chePicBorder->isChecked());
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::chePic3DBorder_Click() {
    imgWaterMark->setFrame(FrameOf(chePicBorder->isChecked(), chePic3DBorder->isChecked()));
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cmdBorder_Click() {
    QString path;
    const QImage picture = pickPicture(QStringLiteral("图片文件 (*.gif)"), path);
    if (picture.isNull()) return;
    imgBorder->setPicture(picture);
    labBorder->setText(QStringLiteral("1"));
    labBorderPath->setText(path);
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::cmdCancelBorder_Click() {
    imgBorder->setPicture(QImage());
    labBorder->setText(QStringLiteral("0"));
    labBorderPath->clear();
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::place(QWidget* layer, QComboBox* box, bool horizontal) {
    const int code = box->findText(vb::Trim(box->currentText()));
    if (horizontal) {
        const double left = PlaceOverlay(code, kPanelWidthTwips, twips::FromPixels(layer->width()),
                                         twips::FromPixels(layer->x()));
        layer->move(twips::ToPixels(left), layer->y());
    } else {
        const double top = PlaceOverlay(code, kPanelHeightTwips, twips::FromPixels(layer->height()),
                                        twips::FromPixels(layer->y()));
        layer->move(layer->x(), twips::ToPixels(top));
    }
    picSetWaterMark->update();
    cmdSave->setEnabled(true);
}

void WatermarkSettingsWindow::PlaceTextLevel() { place(labWaterMark, cobLevel, true); }
void WatermarkSettingsWindow::PlaceTextVertical() { place(labWaterMark, cobVertical, false); }
void WatermarkSettingsWindow::PlacePictureLevel() { place(imgWaterMark, cobPicLevel, true); }
void WatermarkSettingsWindow::PlacePictureVertical() { place(imgWaterMark, cobPicVertical, false); }

void WatermarkSettingsWindow::cmdSave_Click() { SaveWatermarkDialog(m_view); }

void WatermarkSettingsWindow::cmdQuit_Click() { reject(); }

bool WatermarkSettingsWindow::Form_QueryUnload() { return QueryUnloadWatermarkDialog(m_view); }

// The title bar's close button reaches here through QDialog::closeEvent, Esc and cmdQuit directly.
void WatermarkSettingsWindow::reject() {
    if (!Form_QueryUnload()) return;  // a save that did not go through keeps the edits open
    QDialog::reject();
}
