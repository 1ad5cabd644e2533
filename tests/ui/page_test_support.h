#pragma once
// The page tests' session in a fresh work folder, and the helpers that fill its world.
#include <gtest/gtest.h>

#include "app/session.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"
#include "ui/page_tree.h"

namespace wf::test {

class PageTest : public ::testing::Test {
 protected:
  PageTest() {
    session.workFolder = folder.path();
    session.prompter = &prompter;
    session.progress = &progress;
  }

  TempFolder folder;
  RecordingPrompter prompter;
  RecordingProgress progress;
  Session session;
};

// A page's tree as indented lines of its labels, each with its image in brackets when `images`.
template <class Tree>
std::string TreeText(const Tree& tree, bool images) {
  std::string text;
  tree.Walk(ui::kNoNode, [&](const auto& node, int depth) {
    text += std::string(2 * depth, ' ') + node.label +
            (images ? " [" + std::to_string(node.image) + "]\n" : std::string("\n"));
  });
  return text;
}

}
