#pragma once
// The application icon (a map sheet with a grid, a waypoint route and a marker), in the sizes
// the resources hold.

#include <QIcon>

QIcon shell_AppIcon();
