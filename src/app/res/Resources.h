#pragma once

// Identifiers of the program's resources, shared by SORATN2.rc and the code.
#define SORATN2_ICON 1
