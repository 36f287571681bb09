// qzmission: exports, re-saves, reports, checks and renders mission metafiles.
#include "../tool_command.h"

int main(int argc, char** argv) {
    return tool_Main("qzmission", argc, argv);
}
