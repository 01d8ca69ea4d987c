#pragma once
// The background-music editor: the music address with loop or play count, the player with its
// opacity and fade, the lyrics with their interval, font, colours and effect, a preview of cell 4
// and the apply that publishes the site. Opened by the main window for the record in CellRecord.
#include "siteoptions/musicsettings.h"
#include "siteoptions/ui/textstylepanel.h"

#include <QDialog>

#include <memory>

class PleaseWait;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class MusicSettingsWindow : public QDialog, public TextStylePanel {
public:
    explicit MusicSettingsWindow(QWidget* parent = nullptr);
    ~MusicSettingsWindow() override;

    QLabel* Label6 = nullptr;
    QPlainTextEdit* txtMusicURL = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* cmdPastMusic = nullptr;
    QPushButton* cmdClear = nullptr;
    QCheckBox* chkNull = nullptr;
    QRadioButton* optMusic[2] = {};
    QComboBox* cobMusicTimes = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optHidePlayer = nullptr;
    QRadioButton* optShowPlayer = nullptr;
    QLabel* labHide = nullptr;
    QLabel* labShow = nullptr;
    QLabel* labNowSetHide = nullptr;
    QLabel* labNowSetShow = nullptr;
    QComboBox* cobTM = nullptr;
    QComboBox* cobWH = nullptr;
    QPlainTextEdit* txtLyrics = nullptr;
    QPushButton* cmdPastLyrics = nullptr;
    QLabel* labCodeNum = nullptr;
    QCheckBox* chkShowLyrics = nullptr;
    QCheckBox* chkAddGC = nullptr;
    QComboBox* cobRow = nullptr;
    QComboBox* cobFontType = nullptr;
    QPushButton* cmdView = nullptr;
    QCheckBox* chkTest = nullptr;
    QFrame* picView = nullptr;
    WebBrowser* webView = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCloseSound = nullptr;
    QLabel* labHowToGetMusicURL = nullptr;
    QFrame* picOpeMsg = nullptr;
    QLabel* labOpeMsg = nullptr;
    QCheckBox* chkIKnowOpe = nullptr;
    QPushButton* cmdClosOpeMsg = nullptr;
    QLabel* imgCloseOpe = nullptr;
    QWidget* picNetToService = nullptr;

    // The logic, with the hooks this window set.
    MusicSettingsController logic;

    void Form_Load();
    void cmdPastMusic_Click();
    void cmdPastLyrics_Click();
    void cmdClear_Click();
    void cmdCloseSound_Click() { logic.cmdCloseSound_Click(); }
    void cmdClosOpeMsg_Click();
    void imgCloseOpe_Click() { cmdClosOpeMsg_Click(); }

    // The close box and Esc: cell 4's page is rewritten as by cmdCloseSound.
    void reject() override;

private:
    // The logic's view: each hook served by the member of its name (close by closeDone), the
    // style's by the panel.
    void wireView();
    MusicControls controls() const;
    void showControls(const MusicControls& c);
    void greyAddress(bool grey);
    void showPlayerChoice(bool shown);
    void setCounter(const QString& text);
    void showHint(const QString& text);
    void hideHint();
    void enableOK(bool on);
    void showWait();
    void hideWait();
    void refreshPreview();
    void closeDone();
    std::unique_ptr<PleaseWait> m_wait;
};
using frm背景音乐设置 = MusicSettingsWindow;  // 背景音乐设置 background-music editor
