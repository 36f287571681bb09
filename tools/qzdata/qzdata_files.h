#pragma once
// Input and output files of the qzdata subcommands. Inputs must be regular files (a directory,
// FIFO or device is refused with its reason) and are marked so that no output of the same run
// replaces them; outputs go through the atomic file writer. Messages name files by their
// absolute path, as qzmission does.

#include <cstddef>
#include <string>

// The path as messages show it: absolute.
std::string qzdata_ShownPath(const std::string& path);
// Checks that `path` is a regular file that can be read and marks it as an input. False after
// printing "qzdata: cannot read PATH: REASON".
bool qzdata_CheckInput(const std::string& path);
// qzdata_CheckInput, then reads the whole file into `bytes`.
bool qzdata_ReadInput(const std::string& path, std::string& bytes);
// Writes `size` bytes to the output `path`. False after printing
// "qzdata: cannot write PATH: REASON".
bool qzdata_WriteOutput(const std::string& path, const void* data, size_t size);
