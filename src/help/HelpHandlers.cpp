// STUB: replaced by the help handlers.
#include "app/frmMain.h"
void frmMain::mnuHelpHtm_Click() {}
void frmMain::mnuHelpVersion_Click() {}
