#pragma once
// frm在图片上写字: text written on the cell's background or foreground picture. The cell editor sets
// labXZFlag and labXZPic and shows it modally; "确定" saves the picture with the text and sets
// labXZFlag to "OK" (writetext.h).
#include "state/celleditorwindowlabels.h"

#include <QDialog>
#include <QImage>
#include <QPoint>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class OverlayLabelBox;
class OverlayPictureBox;
class TeachPanel;
class WebBrowser;
struct OverlayLabel;

class WriteTextWindow : public QDialog, public CellEditorWindowLabels {
    Q_OBJECT
public:
    // Builds the controls and runs Form_Load; the foreground size boxes of the cell editor
    // (txtQJW, txtQJH) are given as their texts.
    WriteTextWindow(const QString& qjw, const QString& qjh, QWidget* parent = nullptr);

    // The controls, as the member uses them (tests drive them directly).
    QLineEdit* txtText = nullptr;
    QPushButton* cmdClearText = nullptr;
    QComboBox* cobFont = nullptr;
    QComboBox* cobFontSize = nullptr;
    QComboBox* cobFontType = nullptr;
    QCheckBox* cheUnderline = nullptr;
    QCheckBox* cheStrikethru = nullptr;
    QCheckBox* cheBackStyle = nullptr;
    QCheckBox* cheBorder = nullptr;
    QCheckBox* che3DBorder = nullptr;
    QPushButton* cmdSetBackColor = nullptr;
    QPushButton* cmdSetFontColor = nullptr;
    QFrame* picEdit = nullptr;
    OverlayPictureBox* imgPic = nullptr;
    OverlayLabelBox* labText = nullptr;
    QPushButton* cmdMergePic = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOpenTeach = nullptr;
    QPushButton* cmdCloseTeach = nullptr;
    TeachPanel* teachpicTeach = nullptr;
    WebBrowser* webAD = nullptr;

    // The composition the grab holds: the picture with the label over it, clipped to the picture.
    QImage grab() const;
    // The colour a colour button holds in its face.
    static QColor FaceColor(const QPushButton* button);

    void txtText_Change();
    void cmdClearText_Click();
    void cobFont_Click();
    void cobFontSize_Click();
    void cobFontType_Click();
    void cheUnderline_Click();
    void cheStrikethru_Click();
    void cheBackStyle_Click();
    void cheBorder_Click();
    void che3DBorder_Click();
    void cmdSetBackColor_Click();
    void cmdSetFontColor_Click();
    void cmdMergePic_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdOpenTeach_Click();
    void cmdCloseTeach_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void Form_Load(const QString& qjw, const QString& qjh);
    void changeLabel(const std::function<void(OverlayLabel&)>& change);
    void centreLabel();
    QImage m_picture;      // what imgPic shows, before stretching
    bool m_dragging = false;
};
using frm在图片上写字 = WriteTextWindow;  // 在图片上写字 text-on-a-picture dialog
