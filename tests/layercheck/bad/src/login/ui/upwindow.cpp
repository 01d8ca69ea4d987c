// A window of the login: another subsystem's opener may be included, its window may not.
#include "mainwindow/ui/mainwindow_entry.h"
#include "mainwindow/ui/sitewindow.h"
