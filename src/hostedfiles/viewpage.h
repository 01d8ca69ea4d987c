#pragma once
// The texts the file manager makes of a hosted file's address: the HTML snippets it copies, the
// address it copies or inserts, and the local page through which the viewer shows one file
// (data/VievPhoto.html).
#include <QByteArray>
#include <QString>

// A hosted file whose address, lower-cased, ends in ".swf".
bool IsFlashAddress(const QString& address);

// The caption of the hidden label labReplaceCode: "|Replace|" stands for the address.
inline const QString kReplaceCodeTemplate = QStringLiteral("<img src=\"|Replace|\" />");
// The template with every "|Replace|" (letter case kept) replaced by the address.
QString ImageSnippet(const QString& address, const QString& templ = kReplaceCodeTemplate);
// The five lines of the Flash object for the address, joined by "\r" alone.
QString FlashSnippet(const QString& address);

// The address a copy or an insertion hands on: the file's own, or while the thumbnail is chosen
// its thumbnail's: the address followed by ".jpg" on the thumbnail cells, by its own last four
// characters on the list tab.
QString ChosenAddress(const QString& address, bool thumbnail, bool listTab);

// The preview page of a file in the system code page, lines ended by CR LF, none after the last:
// the picture form, or the Flash form for a Flash file. In the address a space, '"', '<' and '>'
// are percent-encoded, so no address writes markup of its own into the page; a character the
// code page lacks is written as its character reference.
QByteArray ViewerPageBytes(const QString& address);
// <data root>/data/VievPhoto.html
QString ViewerPagePath();
// Writes the page of the address in place of an earlier one; failures are passed over (the
// viewer opens in any case). Returns the page's path.
QString WriteViewerPage(const QString& address);
// Deletes the page when it exists.
void RemoveViewerPage();

// The viewer's layout for its window size (twips): the browser fills the window above the
// button row, the close button sits under its right end. The window's minimum size keeps every
// part of it positive.
struct ViewerLayout {
    int browserWidth, browserHeight, closeLeft, closeTop;
};
inline constexpr int kViewerCloseWidth = 1110;
inline constexpr int kViewerCloseHeight = 330;
inline constexpr int kViewerMinWidth = 100 + kViewerCloseWidth + 200 + 1500;
inline constexpr int kViewerMinHeight = 930 + 1500;
ViewerLayout LayoutViewer(int windowWidth, int windowHeight);
