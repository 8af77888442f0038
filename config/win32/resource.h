#pragma once

// The program's icon: the window's and the program file's.
#define IDI_PROGRAM 1
