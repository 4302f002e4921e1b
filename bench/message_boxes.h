// The module's message boxes, recorded instead of shown: a headless run prints each one and answers it
// OK at once, so that a message such as "Sound-File not found" is seen rather than lost.
#pragma once

#include <windows.h>

#include <cstdio>

// Patches the module's import of MessageBoxA; a module that does not import it shows no boxes.
void record_message_boxes(HMODULE module, FILE* log);
