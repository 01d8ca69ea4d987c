#include "tutorial/ui/tutorial_entry.h"

#include "mainwindow/ui/teachpanel.h"
#include "tutorial/ui/teachplayer.h"

void InstallTutorialPlayers() {
    teachpanel::createMainPanel = [](QWidget* host) -> TeachPanel* { return new TeachPlayer(host, teachhosts::MainWindow()); };
    teachpanel::createCellEditorPanel = [](QWidget* host) -> TeachPanel* {
        return new TeachPlayer(host, teachhosts::CellEditor());
    };
    teachpanel::createWriteTextPanel = [](QWidget* host) -> TeachPanel* {
        return new TeachPlayer(host, teachhosts::WriteText());
    };
    teachpanel::createUploadPanel = [](QWidget* host) -> TeachPanel* { return new TeachPlayer(host, teachhosts::Upload()); };
}
