#pragma once
// frm素材: the service's materials library in a browser; the material the member picks on the page
// goes to the open editor (EditorKind): the cell editor's background or foreground (its
// labURLFlag), or the preface editor's background. Loaded once and then only hidden between uses.
#include "platform/defaultinstance.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class WebBrowser;

// No Q_OBJECT: moc cannot read the alias's name.
class MaterialsWindow : public QDialog, public DefaultInstance<MaterialsWindow> {
public:
    explicit MaterialsWindow(QWidget* parent = nullptr);

    WebBrowser* webSC = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QGroupBox* fraMome = nullptr;
    QLabel* Label1 = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click() { hide(); }
    void cmdRefresh_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // the close box unloads
    void reject() override { cmdCancel_Click(); }
};
using frm素材 = MaterialsWindow;  // 素材库 materials library

// Shows the materials library modally: the loaded (hidden) one as it was left, else a new one.
void ShowMaterialsLibrary(QWidget* parent);
