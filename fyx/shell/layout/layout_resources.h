// Resource ids of the layout's own pictures.
#pragma once

#define IDI_DRIVE_GENERIC 4601
