#pragma once

// Takes the program's own folder and the current folder out of the search for a
// library named without a folder, before anything can be loaded that way.
void RestrictDllSearch();
