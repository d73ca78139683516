#pragma once
// The one place the program's version is set; the version resource reads it.
#define PIVORA_VERSION_MAJOR 1
#define PIVORA_VERSION_MINOR 2
#define PIVORA_VERSION_PATCH 0
#define PIVORA_VERSION_BUILD 0
#define PIVORA_VERSION_TEXT "1.2.0.0"
