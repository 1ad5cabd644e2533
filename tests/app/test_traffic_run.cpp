#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/traffic_run.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Each way the compiler step can fail is reported as a failure, with what to do; only a compiler
// that ran cleanly and wrote the traffic file is a success. The compiler is a shell script here.
TEST(TrafficRunTest, TheCompilerStepSucceedsOnlyWhenItsOutputWasWritten) {
  struct Case {
    const char* name;
    const char* script;  // empty: no compiler in the tools folder
    bool staleOutput;    // a traffic file from an earlier run is there
    const char* failure;
  } cases[] = {
      {"missing", "", false, "[Path] TTools"},
      {"fails", "exit 3", false, "ended with status 3"},
      {"writes nothing", "exit 0", false, "did not write"},
      {"leaves the old file", "exit 0", true, "did not write"},
      {"writes", "echo traffic >\"$OUT\"", false, ""},
  };
  test::TempFolder folder;
  for (const Case& c : cases) {
    Session session;
    test::RecordingPrompter prompter;
    session.prompter = &prompter;
    session.workFolder = folder / c.name;
    session.simFolder = session.workFolder / "FSX";
    session.toolsFolder = session.workFolder / "tools";
    const fs::path output = session.simFolder / "Scenery" / "World" / "scenery" / "Traffic-GA.BGL";
    fs::create_directories(output.parent_path());
    fs::create_directories(session.toolsFolder);
    if (c.staleOutput) std::ofstream(output) << "old";
    if (*c.script != '\0') {
      const fs::path compiler = session.toolsFolder / "TrafficDatabaseBuilder";
      std::ofstream(compiler) << "#!/bin/sh\nOUT='" << output.string() << "'\n" << c.script << "\n";
      fs::permissions(compiler, fs::perms::owner_all);
    }

    const TrafficRunResult run = RunTrafficGeneration(session, true);
    EXPECT_TRUE(run.flightPlansWritten) << c.name;
    EXPECT_TRUE(run.compilerRun) << c.name;
    EXPECT_EQ(run.outputUpdated, *c.failure == '\0') << c.name;
    if (*c.failure == '\0') {
      EXPECT_EQ(run.failure, "") << c.name;
    } else {
      EXPECT_NE(run.failure.find(c.failure), std::string::npos) << c.name << ": " << run.failure;
    }
  }
}
#endif

// Flight plans that cannot be written stop the run before the compiler, and the user is told.
TEST(TrafficRunTest, UnwritableFlightPlansStopTheRunBeforeTheCompiler) {
  test::TempFolder folder;
  Session session;
  test::RecordingPrompter prompter;
  session.prompter = &prompter;
  session.workFolder = folder.path();
  fs::create_directories(folder / "Flightplans-GA.dat");  // a folder in the way of the rename
  const TrafficRunResult run = RunTrafficGeneration(session, true);
  EXPECT_FALSE(run.flightPlansWritten);
  EXPECT_FALSE(run.compilerRun);
  EXPECT_NE(run.failure.find("The compiler was not run"), std::string::npos) << run.failure;
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], run.failure);
}

}
}
