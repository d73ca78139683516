#include "settings/settings_state.h"

SlotTable currentTable;
SlotTable savedTable;
WideChar linkTarget[LINK_TEXT_CAPACITY];
Options options;
Options optionsInFile;
Options startOptions;
bool startReadingUncertain;
