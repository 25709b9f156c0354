// Icons of the title row, built from icons/*.xpm into the program's resources
// (paint_icons.rc, included by the program's resource script).
#pragma once

#define IDI_SORT_ASCENDING 2101
#define IDI_SORT_DESCENDING 2102
