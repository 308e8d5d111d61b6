// STUB: replaced by the slideshow handlers.
#include "app/frmMain.h"
void frmMain::Timer1_Timer() {}
void frmMain::Image1_Click() {}
void frmMain::mnuSetJpg_Click() {}
void frmMain::mnuSetDft_Click() {}
void frmMain::mnuSetNo_Click() {}
