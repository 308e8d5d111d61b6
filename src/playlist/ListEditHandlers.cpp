// STUB: replaced by the list editing handlers.
#include "app/frmMain.h"
void frmMain::mnuHenAdd_Click() {}
void frmMain::mnuListDelete_Click() {}
void frmMain::mnuListClose_Click() {}
