#pragma once
// The program directory holds every file of the console. It is
// $GLIMMERBOX_HOME when set, otherwise ~/GlimmerboxPlus, and is created when missing.

#include <string>

std::string ProgramDir();
// A name with a leading '/' is used as it is; any other name lives in the program directory.
std::string ProgramPath(const char* name);
