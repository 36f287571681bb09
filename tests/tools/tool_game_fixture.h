#pragma once
// A small game directory for the command-line tests (the demo interface texts and names, the
// test item definitions, two sunsets) and a way to run the tools in it. Every command runs under
// a time limit, so a tool that waits on a FIFO fails the test instead of hanging it.

#include "support/temp_dir.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <string>

class ToolGameFixture : public ::testing::Test {
  protected:
    static inline const std::string kQzmission = QZ_QZMISSION;
    static inline const std::string kQzdata = QZ_QZDATA;

    void SetUp() override {
        const std::string texts = std::string(QZ_SOURCE_DIR) + "/demo/text/text.txt";
        const std::string names = std::string(QZ_SOURCE_DIR) + "/demo/text/qz2wpn.txt";
        ASSERT_EQ(test_Run(test_Quote(kQzdata) + " strtab-build " + test_Quote(texts) + " " +
                           test_Quote(game.path("text.bin")))
                      .status,
                  0);
        ASSERT_EQ(test_Run(test_Quote(kQzdata) + " strtab-build " + test_Quote(names) + " " +
                           test_Quote(game.path("qz2wpn.bin")))
                      .status,
                  0);
        game.write("items.def", test_ItemDefsFileText());
        game.write("sunsets.def", "begin clear\r\n  id 0\r\nend\r\n");
    }

    // Runs `program ARGS` from `cwd` (the work folder when empty), with standard error in
    // stderr.txt of the work folder.
    CommandResult run(const std::string& program, const std::string& args, const std::string& cwd = "") {
        return test_Run("cd " + test_Quote(cwd.empty() ? work.path() : cwd) + " && timeout 20 " +
                        test_Quote(program) + " " + args + " 2>" + test_Quote(work.path("stderr.txt")));
    }
    CommandResult qzmission(const std::string& args, const std::string& cwd = "") {
        return run(kQzmission, "--game " + test_Quote(game.path()) + " " + args, cwd);
    }
    CommandResult qzdata(const std::string& args, const std::string& cwd = "") {
        return run(kQzdata, args, cwd);
    }
    std::string errors() const { return test_ReadFile(work.path("stderr.txt")); }

    // A mission whose blocks agree with its counts: `items` jeeps.
    std::string missionText(int items, int declared = -1) const {
        std::string text = "begin general_information\n  name \"Test\"\n  num_items " +
                           std::to_string(declared < 0 ? items : declared) + "\nend general_information\n\n";
        for (int slot = 0; slot < items; ++slot)
            text += "begin item " + std::to_string(slot) + "\n  id " + std::to_string(slot + 1) +
                    "\n  type_id 3\n  position 0 0 0\nend item\n\n";
        return text;
    }

    TempDir game;
    TempDir work;
};
