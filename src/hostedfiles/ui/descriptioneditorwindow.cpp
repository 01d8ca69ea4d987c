#include "hostedfiles/ui/descriptioneditorwindow.h"

#include "hostedfiles/ui/filemanagerwindow.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

using twips::ToPixels;

namespace {
void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}
}  // namespace

DescriptionEditorWindow::DescriptionEditorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("修改图片描述信息"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ToPixels(5040), ToPixels(2490));

    picView = new QFrame(this);
    picView->setFrameShape(QFrame::Box);
    place(picView, 120, 120, 1500, 1500);
    imgView = new QLabel(picView);
    auto* memoCaption = new QLabel(QStringLiteral("描述信息："), this);
    place(memoCaption, 1740, 150, 900, 255);
    labMemo = new QLabel(QStringLiteral("描述信息"), this);
    place(labMemo, 2640, 150, 2280, 255);
    txtMemo = new QLineEdit(this);
    txtMemo->setMaxLength(30);
    place(txtMemo, 1740, 555, 3180, 300);
    auto* hint = new QLabel(QStringLiteral("描述信息最长只能输入30字节(即15个汉字的长度)"), this);
    hint->setWordWrap(true);
    place(hint, 1740, 960, 2700, 480);
    labWordLen = new QLabel(QStringLiteral("0"), this);
    place(labWordLen, 4500, 960, 420, 255);
    cmdOK = new QPushButton(QStringLiteral("&Y.确定修改"), this);
    place(cmdOK, 2160, 1860, 1320, 375);
    cmdCloseUpload = new QPushButton(QStringLiteral("&C.关闭"), this);
    place(cmdCloseUpload, 3600, 1860, 1320, 375);

    picWait = new QFrame(this);
    picWait->setFrameShape(QFrame::Box);
    picWait->setAutoFillBackground(true);
    place(picWait, 0, 0, 4200, 720);
    auto* wait = new QLabel(QStringLiteral("正在处理数据，请您稍候..."), picWait);
    place(wait, 600, 225, 3300, 255);
    // Centred across, and 300 twips above the middle.
    picWait->move((width() - picWait->width()) / 2, (height() - picWait->height()) / 2 - ToPixels(300));
    picWait->hide();

    wireView();

    // Typing and pasting; the logic's own changes call the handler themselves.
    connect(txtMemo, &QLineEdit::textEdited, this, [this] { logic.txtMemo_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { logic.cmdOK_Click(); });
    connect(cmdCloseUpload, &QPushButton::clicked, this, [this] { close(); });
    if (QScreen* s = QApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void DescriptionEditorWindow::wireView() {
    DescriptionEditorView& v = logic.view;
    v.memoText = MemberHook(this, &DescriptionEditorWindow::memoText);
    v.setMemoText = MemberHook(this, &DescriptionEditorWindow::setMemoText);
    v.setWordLen = MemberHook(this, &DescriptionEditorWindow::setWordLen);
    v.focusMemoAtEnd = MemberHook(this, &DescriptionEditorWindow::focusMemoAtEnd);
    v.showWait = MemberHook(this, &DescriptionEditorWindow::showWait);
    v.setManagerMemo = &DescriptionEditorWindow::setManagerMemo;
    v.close = [this] { close(); };
}

QString DescriptionEditorWindow::memoText() const { return txtMemo->text(); }

void DescriptionEditorWindow::setMemoText(const QString& s) { txtMemo->setText(s); }

void DescriptionEditorWindow::setWordLen(const QString& s) { labWordLen->setText(s); }

void DescriptionEditorWindow::focusMemoAtEnd() {
    txtMemo->setFocus();
    txtMemo->end(false);
}

void DescriptionEditorWindow::showWait(bool on) {
    picWait->setVisible(on);
    picWait->raise();
    if (on) picWait->repaint();
}

void DescriptionEditorWindow::setManagerMemo(int index, const QString& text) {
    if (FileManagerWindow* fm = FileManagerWindow::loaded(); fm && index >= 0 && index < 15) fm->txtMemo[index]->setText(text);
}
