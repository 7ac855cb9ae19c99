#pragma once
// The port configuration file "Glimmerbox.cfg": which serial port drives Tree 1
// and which Tree 2, one line "tree|name|" each.

#include <string>

#include "document/ShowData.h"

constexpr const char* kPortConfigFile = "Glimmerbox.cfg";

// Status line of the port dialog: "CurrentComPort = <tree 1> <tree 2>".
std::string PortStatusText(const CShowData& doc);

// What the start-up says for a tree whose configured name was too long to hold.
std::string PortNameTooLongText(int tree);
// Stores `name` whole, or refuses it (false, field unchanged) when it does not fit.
bool SetPortName(char (&field)[kPortNameSize], const char* name);
