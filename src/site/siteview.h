#pragma once
// The whole-site page: every page cell's fragment in the fixed 1002-pixel grid, the text layers'
// CSS rules, the page colour, an optional background sound and the footer.
#include <QString>

// Builds the page from the column (1 when publishing, 3 for the template preview), writes it to
// "view.html" in the member's temp folder (also while PreviewOnly is set) and returns it. Building
// it also rewrites, through the cell generators, every cell page of the grid, the copies 26 and
// 29 and the footer page from the same column (none of them while PreviewOnly is set); it puts a
// missing "#" in front of row 301 of the column. Errors of the generators and of writing
// "view.html" are raised to the caller (VbError).
QString CreateSiteViewHtml(qint16 column);
