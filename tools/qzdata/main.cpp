// qzdata: string tables, archives, images and the demo game directory.
#include "../tool_command.h"

int main(int argc, char** argv) {
    return tool_Main("qzdata", argc, argv);
}
