// The game's file dialog: Qt's own rather than the desktop's, so that it speaks the
// program's language and shows its columns whole.
#pragma once

#include <QFileDialog>

// Sets up `dialogo` to list the files in detail with their sizes and dates in the
// program's locale (the file list alone would use the system's), each column as wide
// as its contents and the dialog as wide as its columns need, within the screen.
void PreparaDialogoFile(QFileDialog& dialogo);
