#pragma once
// The port configuration file "Glimmerbox.cfg": which serial port drives Tree 1
// and which Tree 2, one line "tree|name|" each.

#include <string>

class CShowData;

constexpr const char* kPortConfigFile = "Glimmerbox.cfg";

// Status line of the port dialog: "CurrentComPort = <tree 1> <tree 2>".
std::string PortStatusText(const CShowData& doc);
