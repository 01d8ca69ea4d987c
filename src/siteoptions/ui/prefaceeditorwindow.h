#pragma once
// The preface editor of cell 10: the eight lines of the letter to the site's visitors, their
// font colour, back colour and effect, a background picture from disk or the materials library,
// a preview of the cell and the apply that publishes the site. Opened by the main window for the
// record in CellRecord (EditorKind 1).
#include "siteoptions/prefaceeditor.h"
#include "siteoptions/ui/textstylepanel.h"
#include "state/prefaceeditorwindowlabels.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WebBrowser;

// No Q_OBJECT: moc cannot read the alias's name.
class PrefaceEditorWindow : public QDialog, public PrefaceEditorWindowLabels, public TextStylePanel {
public:
    explicit PrefaceEditorWindow(QWidget* parent = nullptr);
    ~PrefaceEditorWindow() override;

    QFrame* picView = nullptr;
    WebBrowser* webView = nullptr;
    QLabel* labSize = nullptr;
    QLineEdit* txtBJ = nullptr;
    QPushButton* cmdSearchBJ = nullptr;
    QPushButton* CmdBJSC = nullptr;
    QPushButton* cmdDelBJ = nullptr;
    QGroupBox* fraSetLetter = nullptr;
    QLineEdit* txtLetter[kLetterLines] = {};
    QPushButton* cmdClearLetter = nullptr;
    QLabel* Label16 = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdReSet = nullptr;
    QPushButton* cmdQuit = nullptr;

    // The logic, with the hooks this window set.
    PrefaceEditorController logic;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdQuit_Click() { reject(); }

    // The logic's view: each hook served by the member of its name, the style's by the panel.
    void wireView();
    QStringList lines() const;
    void setLines(const QStringList& lines);
    void focusLine(int line, int position);
    void enableEdits(bool on);
    void setBackgroundPath(const QString& path);
    void navigatePreview();
    void refreshPreview();
    static std::optional<QColor> chooseColor();
    static std::optional<QString> choosePictureFile();
    void offerCrop();
    void showMaterials(bool fresh);
    PublishOutcome showPublishDialog();
};
using frm卷首语设置 = PrefaceEditorWindow;  // 卷首语设置 preface editor
