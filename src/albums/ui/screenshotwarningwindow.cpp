#include "albums/ui/screenshotwarningwindow.h"

#include "albums/ui/uploadframe.h"
#include "albums/uploadwindowcontroller.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr auto place = &UploadFrame::place;
}  // namespace

ScreenshotWarningWindow::ScreenshotWarningWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("提示"));
    setFixedSize(twips::ToPixels(7800), twips::ToPixels(3300));
    Label1 = new QLabel(QStringLiteral("重要提示（请务必认真阅读）："), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    place(Label1, 240, 180, 7300, 300);
    const char* lines[5] = {"在上传的过程中，请务必保持上传界面置于屏幕的最前端，不要在",
                            "屏幕上显示其它程序的运行界面（如QQ聊天、浏览网页等），在上传的",
                            "过程中若有其它程序的界面遮挡住上传界面，则本软件在对图像进行截",
                            "屏压缩时可能会把其它程序的界面截入到上传图像中，因此，请务必保",
                            "持在上完毕之前，不要在屏幕上显示其它程序的运行界面。"};
    for (int i = 0; i < 5; ++i) {
        Label2[size_t(i)] = new QLabel(QString::fromUtf8(lines[i]), this);
        place(Label2[size_t(i)], 480, 600 + 300 * i, 7200, 300);
    }
    chkIKnow = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了。"), this);
    place(chkIKnow, 480, 2340, 4200, 330);
    cmdYes = new QPushButton(QStringLiteral("&Y.确 定"), this);
    place(cmdYes, 5700, 2280, 1500, 450);
    cmdYes->setDefault(true);
    connect(cmdYes, &QPushButton::clicked, this, [this] { cmdYes_Click(); });
}

void ScreenshotWarningWindow::cmdYes_Click() {
    ScreenshotWarningConfirmed(chkIKnow->isChecked());
    accept();
}
