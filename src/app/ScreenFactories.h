#pragma once

#include "shell/ScreenCatalogue.h"

class ChildForm;

// The form of a screen of the catalogue, newly made (the main window shows
// it). Every ScreenId has its case: a screen added to the catalogue without
// one does not compile.
ChildForm* createScreen(ScreenId id);
