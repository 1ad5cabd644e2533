#pragma once
// A session in a fresh work folder with a recording prompter and progress, for the page tests, and
// the helpers that fill its world.
#include <gtest/gtest.h>

#include "app/session.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

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

}
