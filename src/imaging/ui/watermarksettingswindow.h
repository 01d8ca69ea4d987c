#pragma once
// WatermarkSettingsWindow: the member's text watermark, picture watermark and border for uploaded
// pictures, with a live preview. Its logic lives in imaging/watermarkdialog.h; the settings go to
// wab.dat and two picture copies in the member's folder, which the picture preparation reads.
#include "imaging/watermarkdialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class OverlayLabelBox;
class OverlayPictureBox;
struct OverlayLabel;

// No Q_OBJECT: no signals or slots of its own.
class WatermarkSettingsWindow : public QDialog {
public:
    explicit WatermarkSettingsWindow(QWidget* parent = nullptr);

    // The preview panel, in twips (600 × 450 pixels).
    static constexpr int kPanelWidthTwips = 9000;
    static constexpr int kPanelHeightTwips = 6750;

    QLineEdit* txtWaterMark = nullptr;
    QPushButton* cmdClearText = nullptr;
    QComboBox* cobFont = nullptr;
    QComboBox* cobFontSize = nullptr;
    QComboBox* cobFontType = nullptr;
    QPushButton* cmdSetFontColor = nullptr;
    QPushButton* cmdSetBackColor = nullptr;
    QCheckBox* cheBackStyle = nullptr;
    QCheckBox* cheBorder = nullptr;
    QCheckBox* che3DBorder = nullptr;
    QCheckBox* cheUnderline = nullptr;
    QCheckBox* cheStrikethru = nullptr;
    QComboBox* cobLevel = nullptr;
    QComboBox* cobVertical = nullptr;
    QPushButton* cmdInputWaterPic = nullptr;
    QPushButton* cmdCancelWaterPic = nullptr;
    QCheckBox* chePicBorder = nullptr;
    QCheckBox* chePic3DBorder = nullptr;
    QComboBox* cobPicLevel = nullptr;
    QComboBox* cobPicVertical = nullptr;
    QPushButton* cmdBorder = nullptr;
    QPushButton* cmdCancelBorder = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdQuit = nullptr;
    QWidget* picSetWaterMark = nullptr;
    OverlayPictureBox* imgBorder = nullptr;
    OverlayPictureBox* imgWaterMark = nullptr;
    OverlayLabelBox* labWaterMark = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    // Hidden labels: picture watermark set ("1"/"0") and its path (after opening: the copy's
    // extension), border set and the chosen border's path.
    QLabel* labPicWatermark = nullptr;
    QLabel* labPicWaterPath = nullptr;
    QLabel* labBorder = nullptr;
    QLabel* labBorderPath = nullptr;

    // The hooks the dialog's logic reaches the window through.
    const WatermarkDialogView& view() const { return m_view; }

    // Colour numbers of the preview text and its background, as wab.dat codes them.
    qint32 textColor() const { return m_textColor; }
    qint32 backColor() const { return m_backColor; }

    void Form_Load();
    void txtWaterMark_Change();
    void cmdClearText_Click();
    void cobFont_Click();
    void cobFontSize_Change();
    void cobFontType_Click();
    void cmdSetFontColor_Click();
    void cmdSetBackColor_Click();
    void cheBackStyle_Click();
    void cheBorder_Click();
    void che3DBorder_Click();
    void cheUnderline_Click();
    void cheStrikethru_Click();
    void cmdInputWaterPic_Click();
    void cmdCancelWaterPic_Click();
    void chePicBorder_Click();
    void chePic3DBorder_Click();
    void cmdBorder_Click();
    void cmdCancelBorder_Click();
    void cmdSave_Click();
    void cmdQuit_Click();
    // The four placement routines.
    void PlaceTextLevel();
    void PlaceTextVertical();
    void PlacePictureLevel();
    void PlacePictureVertical();

    // Every way of closing (the quit button, the title bar, Esc) comes here: Form_QueryUnload.
    void reject() override;

private:
    bool Form_QueryUnload();
    void buildControls();
    void connectHandlers();
    WatermarkDialogView makeView();
    // The view's hooks.
    void setWatermarkText(const QString& text);
    void showSettings(const WatermarkSettings& s);
    void setBorderFlag(bool set);
    void showWatermarkCopy(const QString& path);
    void showBorderCopy(const QString& path);
    void placeAll();
    WatermarkSettings currentSettings() const;
    QString pictureWatermarkPath() const;
    QString borderPath() const;
    bool saveEnabled() const;
    void setSaveEnabled(bool on);
    void changeLabel(const std::function<void(OverlayLabel&)>& change);
    void setTextColor(qint32 number);
    void setBackColor(qint32 number);
    // The chosen picture of a file dialog; empty when cancelled or unreadable (the box is shown).
    QImage pickPicture(const QString& filter, QString& path);
    // Moves the layer along one axis by the placement code of the combo box's text, then marks
    // the change.
    void place(QWidget* layer, QComboBox* box, bool horizontal);

    WatermarkDialogView m_view;
    qint32 m_textColor = 0xFFFFFF;
    qint32 m_backColor = kButtonFaceColor;
};
using frm水印设置 = WatermarkSettingsWindow;  // 水印设置 watermark and border settings
