#pragma once
// The program directory holds every file of the console. It is
// $GLIMMERBOX_HOME when set, otherwise GlimmerboxPlus in the home directory
// (from the password database when HOME is unset), and is created when missing.
// A directory that another user owns or could write to is never used: whoever
// can write there chooses the show and the devices the console writes to.

#include <string>

// The directory, or "" when it cannot or may not be used; `why` then says
// which directory and why, as a sentence for the operator.
std::string ProgramDir(std::string* why = nullptr);
// A name with a leading '/' is used as it is; any other name lives in the
// program directory ("" when that may not be used).
std::string ProgramPath(const char* name);

// The program directory's folder `name` (Backups, Recovery), made when missing.
// "" with the reason in `why` when it is not a folder of this user that only
// this user can write to.
std::string ProgramFolder(const char* name, std::string& why);
