#pragma once
// The small dialogs of the cell editor's picture sources: the size dialogs frm背景图片设置 and
// frm前景图片设置, offered for a JPEG or BMP picture larger than the cell, and the advice
// frm更换前景图提示 before a foreground is chosen.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// No Q_OBJECT: moc cannot read the aliases' names.
class PictureSizeDialog : public QDialog {
public:
    PictureSizeDialog(bool foreground, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QRadioButton* Opt1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdSelect_Click();
    void cmdCancel_Click() { reject(); }
    // True after 确定 with the crop chosen: the opener then shows the crop dialog.
    bool cropChosen() const { return m_crop; }

private:
    bool m_crop = false;
};
using frm背景图片设置 = PictureSizeDialog;  // 背景图片设置 (foreground false)
using frm前景图片设置 = PictureSizeDialog;  // 前景图片设置 (foreground true)

// Shows the size dialog modally and, when the member chose the crop, the crop dialog in the mode
// of the dialog. True only when that crop finished (it set CropTargetMode to 99).
bool OfferPictureCrop(bool foreground, QWidget* parent);

class ForegroundAdviceDialog : public QDialog {
public:
    explicit ForegroundAdviceDialog(QWidget* parent = nullptr);

    QCheckBox* chkIKnow = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdContinue = nullptr;

    // Both store HintFlag 9 when the box is ticked; continue sets DialogState to 99.
    void cmdContinue_Click();
    void Command1_Click();

private:
    void rememberChoice();
};
using frm更换前景图提示 = ForegroundAdviceDialog;  // 更换前景图提示 advice dialog
