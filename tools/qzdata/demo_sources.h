#pragma once
// The text sources of the demo game directory, embedded in the tool when it is built (see
// tools/embed_demo.cmake).

#include "demo/demo_game.h"

DemoSources demo_EmbeddedSources();
