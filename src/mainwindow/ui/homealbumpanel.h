#pragma once
// The home-page album panel fraSetMainAlbum ("首页相册设置") on the main window's canvas: the
// member's own albums on the left, the chosen one in a read-only box, save, a way to the album
// settings, and close. Hidden until the home-album command opens it; its work is done by the main
// window's commands (commands.h).
#include <QFrame>

class MainWindowCommands;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class HomeAlbumPanel : public QFrame {
public:
    HomeAlbumPanel(QWidget* canvas, MainWindowCommands& commands);

    QListWidget* lisAlbum = nullptr;
    QLineEdit* txtHomeAlbum = nullptr;
    QPushButton* cmdSaveHomeAlbum = nullptr;
    QPushButton* cmdSetAlbum = nullptr;
    QPushButton* cmdCloseMainAlbum = nullptr;
    QPushButton* picCloseMainAlbum = nullptr;

    void lisAlbum_Click();
    // Setting the box's text in code signals nothing when the text stays the same, so every
    // writer of the box calls this itself.
    void txtHomeAlbum_Change();
    // The box's text, then its change handler.
    void SetHomeAlbumText(const QString& text);

private:
    void connectHandlers();

    MainWindowCommands& m_commands;
};
