#pragma once
// The area colour dialog: the area's current colour and the new one as two small previews, a
// colour from the platform colour dialog or a typed code, or the colour cleared; applying
// publishes the site at once. Opened by the main window's colour buttons for the record in
// CellRecord.
#include "siteoptions/colorsettings.h"

#include <QDialog>

#include <memory>

class PleaseWait;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class ColorSettingsWindow : public QDialog {
public:
    explicit ColorSettingsWindow(QWidget* parent = nullptr);
    ~ColorSettingsWindow() override;

    QLabel* Label1 = nullptr;
    QLineEdit* txtOldColor = nullptr;
    QWidget* picOldColor = nullptr;
    WebBrowser* webOldColor = nullptr;
    QCheckBox* chkDel = nullptr;
    QPushButton* cmdDel = nullptr;
    QPushButton* cmdSetColor = nullptr;
    QLineEdit* txtNewColor = nullptr;
    QLabel* Label2 = nullptr;
    QWidget* picNewColor = nullptr;
    WebBrowser* webNewColor = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdQuit = nullptr;
    QWidget* picNetToService = nullptr;

    // The logic, with the hooks this window set.
    ColorSettingsController logic;

    void Form_Load();
    void chkDel_Click();
    void cmdSetColor_Click() { logic.cmdSetColor_Click(); }
    void txtNewColor_Change();
    void cmdOK_Click() { logic.cmdOK_Click(); }
    void cmdDel_Click() { logic.cmdDel_Click(); }
    void cmdQuit_Click() { close(); }

private:
    // The logic's view: each hook served by the member of its name (close by closeDone), the main
    // window's by its seam.
    void wireView();
    void refreshOldPreview();
    void refreshNewPreview();
    void enableOK(bool on);
    void enableDel(bool on);
    void showCurrentCode(bool on);
    void setNewCode(const QString& code);
    void showWait();
    void hideWait();
    void closeDone();

    std::unique_ptr<PleaseWait> m_wait;
};
using frm颜色设置 = ColorSettingsWindow;  // 颜色设置 area colour dialog
