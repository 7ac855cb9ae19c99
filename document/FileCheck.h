#pragma once
// What the console found when it last read one of its files, so that a save
// never replaces a file it could not read and keeps a copy of one it could not
// hold whole. Fixed-size, like the rest of the show document.

#include <climits>

struct CFileCheck {
    char path[PATH_MAX];  // the file as it was opened; "" before any read
    bool unreadable;      // it is there but could not be read
    char why[200];        // the system's reason, when unreadable
    int leftOut;          // records the tables had no room for
};
