#include "site/site_api.h"

#include "site/modCreateHtmlFiles.h"
#include "state/sitestate.h"

void WriteLoginPages() {
    for (const char* name : {"b", "b1", "b2", "b3"}) CreateBackgroundHtml(QString::fromLatin1(name), LocalColumn);
    for (qint16 cell : {1, 5, 6, 9, 11, 12, 17, 18, 22, 23}) CreateWidgetHtml(cell, LocalColumn);
    for (qint16 cell : {0, 2, 3}) CreateCellHtml(cell, LocalColumn);
    CreateMusicCellHtml(LocalColumn, 0);
    for (qint16 cell : {7, 8, 10, 13, 14, 15, 16, 19, 20, 21, 24}) CreateCellHtml(cell, LocalColumn);
    for (qint16 cell : {25, 27, 28, 30, 31}) CreateCellHtml(cell, PublishColumn);
    CreateFooterHtml(32, LocalColumn);
}
