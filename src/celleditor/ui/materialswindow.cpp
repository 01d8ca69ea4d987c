#include "celleditor/ui/materialswindow.h"

#include "celleditor/ui/celleditorwindow.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/ui/browserselection.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using twips::ToPixels;

MaterialsWindow::MaterialsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("素材库"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    webSC = new WebBrowser(this);
    cmdOK = new QPushButton(QStringLiteral("&Y.确 定"), this);
    cmdCancel = new QPushButton(QStringLiteral("&B.取 消"), this);
    cmdRefresh = new QPushButton(QStringLiteral("&R.刷 新"), this);
    for (QPushButton* b : {cmdOK, cmdCancel, cmdRefresh}) b->resize(ToPixels(1695), ToPixels(435));
    fraMome = new QGroupBox(QStringLiteral("说明"), this);
    Label1 = new QLabel(QStringLiteral("素材库是实时与Orbel网络服务器连接的素材数据库，当有新的素材发布时，素材库里也会自动增加新的"
                                       "素材，因此欢迎您时常光临素材库，看看有没有您喜欢的新素材可调用。"),
                        fraMome);
    Label1->setWordWrap(true);
    auto* frame = new QVBoxLayout(fraMome);
    frame->addWidget(Label1);
    fraMome->resize(ToPixels(6600), ToPixels(900));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    resize(ToPixels(12000), ToPixels(9000));
    Form_Load();
}

void MaterialsWindow::Form_Load() {
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
    if (EditorKind == 0) webSC->Navigate(CellEditorWindowLabels::labSCURL);
    else if (EditorKind == 1) webSC->Navigate(PrefaceEditorWindowLabels::labSCURL);
}

void MaterialsWindow::cmdOK_Click() {
    const PageSelection choice = PageSelectionText(webSC);
    if (choice.kind == PageSelection::NothingChosen) {
        MsgBox(QStringLiteral("您尚未选择要调用的素材，请您先选择素材再按“确定”按钮。"), vbInformation, QStringLiteral("提示"));
        return;
    }
    if (choice.kind != PageSelection::Selected) {
        MsgBox(QStringLiteral("调用失败！请您稍后再试..."), vbInformation, QStringLiteral("提示"));
        unload();  // the next showing loads the page anew
        return;
    }
    while (CellRecord.size() <= 4) CellRecord.append(QString());
    if (EditorKind == 0) {
        if (CellEditorWindowLabels::labURLFlag == QLatin1String("1")) {
            CellRecord[4] = choice.text;
            CellEditorWindowLabels::labQJFlag = QStringLiteral("3");
            // The editor's foreground controls back to the cell's size, centred; their handlers run.
            if (CellEditorWindow* editor = CellEditorWindow::loaded()) {
                editor->txtQJW->setText(CellRecord.value(1));
                editor->txtQJH->setText(CellRecord.value(2));
                editor->cobQJSP->setCurrentIndex(0);
                editor->cobQJCZ->setCurrentIndex(0);
            }
        } else {
            CellRecord[3] = choice.text;
            CellEditorWindowLabels::labBJFlag = QStringLiteral("3");
        }
    } else if (EditorKind == 1) {
        CellRecord[3] = choice.text;
        PrefaceEditorWindowLabels::labBJFlag = QStringLiteral("3");
    }
    hide();
}

void MaterialsWindow::cmdRefresh_Click() { webSC->refresh(); }

void MaterialsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The formulas are in twips of the outer size.
    const int W = twips::FromPixels(frameGeometry().width());
    const int H = twips::FromPixels(frameGeometry().height());
    webSC->setGeometry(ToPixels(-15), ToPixels(-15), ToPixels(qMax(0, W - 75)), ToPixels(qMax(0, H - 1560)));
    const int top = qMax(0, H - 1560) + 405;
    const int left = W - 4320;
    cmdOK->move(ToPixels(left), ToPixels(top));
    cmdCancel->move(ToPixels(left + 1815), ToPixels(top));
    cmdRefresh->move(ToPixels(left - 1815), ToPixels(top));
    // The note ends before the refresh button and starts inside the window, whatever its width;
    // narrower, it grows upwards to keep its text whole.
    const int fraLeft = qMax(120, left - 10830);
    const int fraWidth = ToPixels(qMax(0, qMin(6600, left - 1815 - 120 - fraLeft)));
    const int fraBottom = ToPixels(top - 270 + 900);
    const int fraHeight = qMax(ToPixels(900), fraMome->heightForWidth(fraWidth));
    fraMome->setGeometry(ToPixels(fraLeft), fraBottom - fraHeight, fraWidth, fraHeight);
}

void MaterialsWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (loaded() == this) unload();
}

void ShowMaterialsLibrary(QWidget* parent) {
    MaterialsWindow* window = MaterialsWindow::loaded();
    if (!window) window = new MaterialsWindow(parent);
    window->exec();
}
