#pragma once
// Registers the pictures compiled into the program (the library is static, so the
// resource data is linked only when something calls this).
void KestrelInitResources();

#include <QIcon>

// The program's window icon, decoded only when something first draws it (the first
// frame does not), from its 48 and 256 pixel pictures.
QIcon KestrelWindowIcon();
