// A panel's view settings and listing options from and to the
// configuration record (the FYXLeft... or FYXRight... words).
#pragma once

#include "panel.h"
#include "prefs.h"

// The panel's side of the record: 17 stored words into its settings (word
// 12 from the DOS name and type columns, the panel mode FileSystem), and the
// options its listing depends on.
void PanelApplyConfiguration(Panel* panel, const ConfigRecord* config);
// The 17 stored words of the panel's side back into the record.
void PanelStoreConfiguration(const Panel* panel, ConfigRecord* config);
