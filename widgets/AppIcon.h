#pragma once
// The program's icon, drawn in code: a small lit tree.

#include <QIcon>

QIcon AppIcon();
