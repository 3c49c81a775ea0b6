// Every file is replaced whole: written beside the old one and renamed over
// it, so a failure on the way leaves the old file as it was.
#include "files/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "dialogue.h"

namespace bellform::testing {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  void SetUp() override { test_console::reset(); }

  std::string path(const char* name) const { return (dir_.path() / name).string(); }
  // Every name in the directory: a new file left behind shows here.
  std::set<std::string> names() const {
    std::set<std::string> found;
    for (const auto& e : fs::directory_iterator(dir_.path()))
      found.insert(e.path().filename().string());
    return found;
  }
  TempDir dir_;
};

const std::string old_text = "the old file, longer than the new one\n";
const std::string new_text = "a\tb\n\xC5\xFF\r\n";

// As the program names its files: bare, in the current directory; the bytes
// as they are, nothing left beside. A replace that fails:
// write_failure_test.cc, through every file the program writes.
TEST_F(Files, ABareNameIsReplacedTwice) {
  const fs::path previous = fs::current_path();
  fs::current_path(dir_.path());
  const bool first = replace_file("horn.dxf", old_text).empty();
  const bool second = replace_file("horn.dxf", new_text).empty();
  fs::current_path(previous);
  EXPECT_TRUE(first && second);
  EXPECT_EQ(new_text, read_file(path("horn.dxf")));
  EXPECT_EQ(std::set<std::string>{"horn.dxf"}, names());
}

TEST_F(Files, AMissingDirectoryIsNotCreated) {
  EXPECT_NE("", replace_file(path("missing/horn.svg").c_str(), new_text));
  EXPECT_FALSE(fs::exists(path("missing")));
}

#ifndef _WIN32
TEST_F(Files, ModeAndLinkAreKept) {
  const std::string target = path("target.txt"), link = path("bellform.txt");
  std::ofstream(target) << old_text;
  ASSERT_EQ(0, ::chmod(target.c_str(), 0640));
  fs::create_symlink("target.txt", link);
  ASSERT_EQ("", replace_file(link.c_str(), new_text));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(new_text, read_file(target));
  struct stat st;
  ASSERT_EQ(0, ::stat(target.c_str(), &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);

  // A new file takes the umask's bits.
  const mode_t mask = ::umask(027);
  ASSERT_EQ("", replace_file(path("new.txt").c_str(), new_text));
  ::umask(mask);
  ASSERT_EQ(0, ::stat(path("new.txt").c_str(), &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);
}

// A real full disk: a child whose files may not grow past 16 bytes, the
// signal that would kill it ignored, so that the write fails as on a disk
// filled to the brim.
TEST_F(Files, AFileSizeLimitLeavesTheOldFile) {
  const std::string name = path("bellform.txt");
  std::ofstream(name, std::ios::binary) << old_text;
  const pid_t child = ::fork();
  ASSERT_NE(-1, child);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16, 16};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = replace_file(name.c_str(), std::string(4096, 'x')).empty();
    ::_exit(written ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(child, ::waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status)) << "the write was reported as done";
  EXPECT_EQ(old_text, read_file(name));
  EXPECT_EQ(std::set<std::string>{"bellform.txt"}, names());
}

// A device is written through, never replaced by a file.
TEST_F(Files, ADeviceIsWrittenInPlace) {
  fs::create_symlink("/dev/null", path("horn.scr"));
  EXPECT_EQ("", replace_file(path("horn.scr").c_str(), new_text));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ("No space left on device", replace_file("/dev/full", new_text));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}
#endif

}  // namespace
}  // namespace bellform::testing
