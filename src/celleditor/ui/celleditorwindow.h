#pragma once
// The cell editor: one page cell's background, foreground picture or Flash movie and text layer,
// with the cell shown at its real size. Opened modally for the cell in CellRecord.
#include "celleditor/cellapply.h"
#include "celleditor/celleditor.h"
#include "platform/defaultinstance.h"
#include "state/celleditorwindowlabels.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class TeachPanel;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class CellEditorWindow : public QDialog, public CellEditorWindowLabels, public DefaultInstance<CellEditorWindow> {
public:
    explicit CellEditorWindow(QWidget* parent = nullptr);
    ~CellEditorWindow() override;

    // Canvas
    QWidget* picSet = nullptr;
    QWidget* picFrame = nullptr;
    QWidget* picView = nullptr;
    WebBrowser* webView = nullptr;
    QWidget* picViewLineS = nullptr;
    QWidget* picViewLineX = nullptr;
    QWidget* picViewLineZ = nullptr;
    QWidget* picViewLineY = nullptr;
    QWidget* picPicInfo = nullptr;
    QScrollBar* hscPic = nullptr;
    QScrollBar* vscPic = nullptr;
    // Background row and its replacement
    QWidget* picSetBJ = nullptr;
    QLineEdit* txtBJ = nullptr;
    QPushButton* cmdSearchBJ = nullptr;
    QPushButton* CmdBJSC = nullptr;
    QPushButton* cmdBJXZ = nullptr;
    QPushButton* cmdDelBJ = nullptr;
    QWidget* picSetBJInfo = nullptr;
    QLabel* labBJInfo = nullptr;
    std::array<QPushButton*, 4> cmdUploadAreaPic{};
    // Foreground row and its replacement
    QWidget* picSetQJ = nullptr;
    QLineEdit* txtQJ = nullptr;
    QPushButton* cmdSearchQJ = nullptr;
    QPushButton* cmdQJSC = nullptr;
    QPushButton* cmdQJXZ = nullptr;
    QPushButton* cmdDelQJ = nullptr;
    QLineEdit* txtQJW = nullptr;
    QLabel* labQJW = nullptr;
    QLineEdit* txtQJH = nullptr;
    QLabel* labQJH = nullptr;
    QComboBox* cobQJSP = nullptr;
    QComboBox* cobQJCZ = nullptr;
    QCheckBox* cheFlash = nullptr;
    QWidget* picSet12QJ = nullptr;
    // Text panel and its replacement
    QWidget* picText = nullptr;
    QPlainTextEdit* txtTxt = nullptr;
    QComboBox* cobTC = nullptr;
    QComboBox* cobTxtSP = nullptr;
    QComboBox* cobTxtCZ = nullptr;
    QLineEdit* txtBJS = nullptr;
    QLineEdit* txtBJX = nullptr;
    QLineEdit* txtBJZ = nullptr;
    QLineEdit* txtBJY = nullptr;
    QComboBox* cobFontSize = nullptr;
    QComboBox* cobFont = nullptr;
    QLabel* labFontColor = nullptr;
    QPushButton* cmdSetFontColor = nullptr;
    QLabel* labFontBackColor = nullptr;
    QPushButton* cmdSetBackColor = nullptr;
    QCheckBox* cheBackStyle = nullptr;
    QComboBox* cobFontType = nullptr;
    QCheckBox* cheUnderline = nullptr;
    QCheckBox* cheStrikethru = nullptr;
    QComboBox* cobTX1 = nullptr;
    QComboBox* cobTX2 = nullptr;
    QComboBox* cobSpeed = nullptr;
    QLabel* labSpeed = nullptr;
    QCheckBox* chkShowViewLine = nullptr;
    QPushButton* cmdViewTxt = nullptr;
    QPushButton* cmdDelTxt = nullptr;
    QWidget* picSetTextInfo = nullptr;
    // Commands
    QPushButton* cmdReSet = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* labANQ = nullptr;
    QLabel* labSize = nullptr;
    // Hint box
    QWidget* picOpeMsg = nullptr;
    QLabel* labOpeMsg = nullptr;
    QString labMsgSN = QStringLiteral("0");
    QCheckBox* chkIKnowOpe = nullptr;
    QPushButton* cmdClosOpeMsg = nullptr;
    QPushButton* imgCloseOpe = nullptr;
    // Other
    WebBrowser* webAD = nullptr;
    TeachPanel* teachpicTeach = nullptr;
    QPushButton* cmdOpenTeach = nullptr;
    QPushButton* cmdCloseTeach = nullptr;

    bool EditorReady = false;
    QStringList TextStyleFields;
    CanvasLayout canvas;
    GuideLines guides;

    bool ForeWidthChanged = false;   // the size box accepted a change not yet previewed
    bool ForeHeightChanged = false;
    bool FontSizeChanged = false;    // a typed font size accepted, not yet previewed
    CellEditorView view;

    void Form_Load();
    // Asks to apply while changes are pending. False keeps the window open: Yes ran an apply that
    // did not count as applied, so the edits stay for another try.
    bool Form_QueryUnload();
    void Form_Unload();

    // ---- editing controls
    // Enables cmdOK and cmdReSet.
    void markChanged();
    // The text panel's lists and boxes: mark changed, and preview once ready.
    void cobFont_Click() { styleChanged(); }
    void cobFontSize_Click() { styleChanged(); }
    void cobFontType_Click() { styleChanged(); }
    void cobSpeed_Click() { styleChanged(); }
    void cobTC_Click() { styleChanged(); }
    void cobTxtCZ_Click() { styleChanged(); }
    void cobTxtSP_Click() { styleChanged(); }
    void cheUnderline_Click() { styleChanged(); }
    void cheStrikethru_Click() { styleChanged(); }
    // Only once ready: mark changed and preview.
    void cobQJCZ_Click() { readyChange(); }
    void cobQJSP_Click() { readyChange(); }
    void cobTX1_Click() { readyChange(); }
    void txtTxt_Change();
    void cheBackStyle_Click();
    void cobTX2_Click();
    void cheFlash_Click();
    void cmdSetFontColor_Click();
    void cmdSetBackColor_Click();
    void cmdDelTxt_Click();
    void cmdDelBJ_Click();
    void cmdDelQJ_Click();
    // The margin boxes: 0 top (txtBJS), 1 bottom, 2 left, 3 right.
    void marginChanged(int side);
    void txtQJW_Change() { foreSizeChanged(true); }
    void txtQJH_Change() { foreSizeChanged(false); }
    void txtQJW_LostFocus();
    void txtQJH_LostFocus();
    // The typed text of cobFontSize (checked like the size boxes; previewed on leaving the box).
    void cobFontSize_Change();
    void cobFontSize_LostFocus();
    void hscPic_Change(int value);
    void vscPic_Change(int value);
    void cmdClosOpeMsg_Click();
    void imgCloseOpe_Click() { cmdClosOpeMsg_Click(); }
    void labANQ_Click();
    void cmdOpenTeach_Click();
    void cmdCloseTeach_Click();
    // ---- picture sources
    void cmdSearchBJ_Click();
    void cmdSearchQJ_Click();
    // The materials library for the background or the foreground.
    void CmdBJSC_Click() { openMaterials(false); }
    void cmdQJSC_Click() { openMaterials(true); }
    // Text written on the background or the foreground picture (frm在图片上写字).
    void cmdBJXZ_Click() { writeText(false); }
    void cmdQJXZ_Click() { writeText(true); }
    // The widget album's upload window (index 0 to 3), then the preview refreshed.
    void cmdUploadAreaPic_Click(int index);

    // Applies the cell; true when the edit counted as applied (the buttons are then disabled).
    bool cmdOK_Click();
    void cmdReSet_Click();
    void cmdQuit_Click() { close(); }
    // Rewrites the preview page from the controls and refreshes webView.
    void CreateViewHtml();
    void cmdViewTxt_Click() { CreateViewHtml(); }

    // The controls as the page builders read them.
    CellEditorSnapshot snapshot() const;

    // The text panel's controls as the style reads and writes them.
    TextPanelState textPanel() const;
    void setTextPanel(const TextPanelState& s);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void connectTextHandlers();
    void connectPictureHandlers();
    void connectCommandHandlers();
    void wireView();
    // The apply's view hook.
    PublishOutcome showPublishDialog();
    // A picture source's end: the preview rebuilt and the window marked changed.
    void pictureChanged();
    void openMaterials(bool foreground);
    void writeText(bool foreground);
    void setRecordEntry(int entry, const QString& value);
    void styleChanged();
    void readyChange();
    void foreSizeChanged(bool width);
    QLineEdit* marginBox(int side) const;
    void placeGuideLines();
    // The hint box beside the text box it explains.
    void placeHint();
    bool m_closing = false;
};
using frm图片设置 = CellEditorWindow;  // 图片设置 cell editor
