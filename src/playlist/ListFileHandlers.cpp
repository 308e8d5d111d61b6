// STUB: replaced by the list file handlers.
#include "app/frmMain.h"
void frmMain::mnuListOpen_Click() {}
void frmMain::mnuListNewSave_Click() {}
void frmMain::mnuListReSave_Click() {}
