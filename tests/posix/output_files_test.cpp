// Output files on a real POSIX file system: what ends up in the folder, and what is left alone.

#include "platform/output_files.h"

#include <errno.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <new>
#include <sstream>
#include <string>

#include "platform/console.h"

namespace fontscan::platform {
namespace {

namespace fs = std::filesystem;
using Entries = std::map<std::string, std::string>;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `body` in a child process, so that limits and identities stay there. Returns its exit
// code, or minus the signal that ended it.
int InChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1000;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Makes `dir` the current folder while it lives.
struct WorkIn {
  explicit WorkIn(const std::string& dir) : saved(getcwd(nullptr, 0)) {
    ok = saved != nullptr && chdir(dir.c_str()) == 0;
  }
  ~WorkIn() {
    if (saved != nullptr && chdir(saved) != 0) ADD_FAILURE() << "cannot go back to " << saved;
    free(saved);
  }
  char* saved;
  bool ok = false;
};

class OutputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fontscan-out-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // A file, a link to a file, a dangling link and a directory with a file in it.
  void MakeEntries() {
    Put(Path("file"), "old file");
    Put(Path("target"), "link target");
    ASSERT_EQ(symlink("target", Path("link").c_str()), 0);
    ASSERT_EQ(symlink("gone", Path("dangling").c_str()), 0);
    ASSERT_EQ(mkdir(Path("dir").c_str(), 0777), 0);
    Put(Path("dir/inner"), "inner");
  }

  // Everything below the scratch folder: "file:<bytes>", "dir" or "link:<where to>".
  Entries Snapshot() const {
    Entries entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      const std::string name = entry.path().lexically_relative(dir_).string();
      if (entry.is_symlink()) {
        entries[name] = "link:" + fs::read_symlink(entry.path()).string();
      } else if (entry.is_directory()) {
        entries[name] = "dir";
      } else {
        entries[name] = "file:" + Read(entry.path().string());
      }
    }
    return entries;
  }

  NativeOutputFiles files_;
  std::string dir_;
};

TEST_F(OutputFiles, WritesANewFileWithTheExactBytes) {
  std::string big(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 + i / 4099);
  const struct {
    std::string name, bytes;
    bool replace;
  } cases[] = {
      {"empty.png", "", false},
      {"one.h", "x", true},
      {"binary.png", std::string("\x89PNG\r\n\x1a\n\0\0\xff", 11), false},
      {"big.png", big, true},
      {std::string(255, 'n'), "longest name", false},
  };
  Entries expected;
  for (const auto& c : cases) {
    EXPECT_EQ(files_.WriteNewFile(Path(c.name), c.bytes, c.replace), WriteResult::kWritten);
    expected[c.name] = "file:" + c.bytes;
  }
  EXPECT_EQ(Snapshot(), expected);  // nothing else: no temporary file
}

// A file made piece by piece lands whole; a maker that gives up or throws leaves the old file and
// no temporary one, and its exception goes on.
TEST_F(OutputFiles, StreamedFileLandsWholeOrNotAtAll) {
  Put(Path("old.png"), "old");
  const FileMaker three_pieces = [](ByteSink& sink) {
    return sink.Write("one ") && sink.Write(std::string(70000, 't')) && sink.Write(" three");
  };
  EXPECT_EQ(files_.StreamNewFile(Path("new.png"), three_pieces, false), WriteResult::kWritten);
  EXPECT_EQ(files_.StreamNewFile(Path("old.png"), three_pieces, false), WriteResult::kExists);
  const Entries written = Snapshot();
  EXPECT_EQ(written.at("new.png"), "file:one " + std::string(70000, 't') + " three");
  EXPECT_EQ(written.at("old.png"), "file:old");

  const FileMaker gives_up = [](ByteSink& sink) { return sink.Write("half") && false; };
  const FileMaker throws = [](ByteSink& sink) -> bool {
    sink.Write("half");
    throw std::bad_alloc();
  };
  for (bool replace : {false, true}) {
    EXPECT_EQ(files_.StreamNewFile(Path("old.png"), gives_up, replace), WriteResult::kFailed);
    EXPECT_THROW(files_.StreamNewFile(Path("old.png"), throws, replace), std::bad_alloc);
    EXPECT_EQ(Snapshot(), written) << "replace=" << replace;
  }
}

TEST_F(OutputFiles, NewFileGetsTheModeOfAFreshlyCreatedFile) {
  Put(Path("private"), "old");
  ASSERT_EQ(chmod(Path("private").c_str(), 0600), 0);
  const struct {
    mode_t mask;
    const char* name;
    bool replace;
  } cases[] = {
      {022, "a", false}, {077, "b", false},      {0, "c", false},
      {027, "d", true},  {022, "private", true},  // the new file, not the old one's mode
  };
  for (const auto& c : cases) {
    const mode_t saved = umask(c.mask);
    const WriteResult result = files_.WriteNewFile(Path(c.name), "bytes", c.replace);
    umask(saved);
    EXPECT_EQ(result, WriteResult::kWritten) << c.name;
    struct stat info;
    ASSERT_EQ(stat(Path(c.name).c_str(), &info), 0) << c.name;
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~c.mask) << c.name;
  }
}

TEST_F(OutputFiles, EntryExistsForAnyKindOfEntry) {
  MakeEntries();
  const struct {
    const char* name;
    bool exists;
  } cases[] = {
      {"file", true},      {"link", true},        {"dangling", true}, {"dir", true},
      {"dir/inner", true}, {"missing", false},    {"gone", false},    {"missing/x", false},
      {"file/x", false},   {"dangling/x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(files_.EntryExists(Path(c.name)), c.exists) << c.name;
}

TEST_F(OutputFiles, ExistingEntryIsLeftAloneOrReplacedAsAsked) {
  MakeEntries();
  const struct {
    const char* name;
    bool replace;
    WriteResult result;
  } cases[] = {
      {"file", false, WriteResult::kExists},     {"link", false, WriteResult::kExists},
      {"dangling", false, WriteResult::kExists}, {"dir", false, WriteResult::kExists},
      {"dir", true, WriteResult::kFailed},       {"file", true, WriteResult::kWritten},
      {"link", true, WriteResult::kWritten},     {"dangling", true, WriteResult::kWritten},
  };
  for (const auto& c : cases) {
    Entries expected = Snapshot();
    // Replacing a link puts a file in its place; "target" stays as it was.
    if (c.result == WriteResult::kWritten) expected[c.name] = "file:new bytes";
    EXPECT_EQ(files_.WriteNewFile(Path(c.name), "new bytes", c.replace), c.result)
        << c.name << " replace=" << c.replace;
    EXPECT_EQ(Snapshot(), expected) << c.name << " replace=" << c.replace;
  }
}

TEST_F(OutputFiles, RelativePathsAndBareNamesLandInTheirFolder) {
  ASSERT_EQ(mkdir(Path("sub").c_str(), 0777), 0);
  {
    WorkIn work_in(dir_);
    ASSERT_TRUE(work_in.ok);
    for (const char* name : {"bare.png", "sub/rel.png", "./dot.h", "sub/../up.h"}) {
      EXPECT_EQ(files_.WriteNewFile(name, name, false), WriteResult::kWritten) << name;
    }
  }
  const Entries expected = {{"sub", "dir"},
                            {"bare.png", "file:bare.png"},
                            {"sub/rel.png", "file:sub/rel.png"},
                            {"dot.h", "file:./dot.h"},
                            {"up.h", "file:sub/../up.h"}};
  EXPECT_EQ(Snapshot(), expected);
}

TEST_F(OutputFiles, TemporaryFileIsMadeInTheTargetsFolderNotTheCurrentOne) {
  // From a current folder on another file system, a temporary file made there could not be
  // renamed into place.
  struct stat here, shm;
  if (stat(dir_.c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
    GTEST_SKIP() << "no second file system at /dev/shm";
  char other[] = "/dev/shm/fontscan-cwd-XXXXXX";
  ASSERT_NE(mkdtemp(other), nullptr);
  {
    WorkIn work_in(other);
    ASSERT_TRUE(work_in.ok);
    EXPECT_EQ(files_.WriteNewFile(Path("out.png"), "bytes", false), WriteResult::kWritten);
  }
  EXPECT_EQ(rmdir(other), 0) << "something was left in the current folder";
  EXPECT_EQ(Snapshot(), (Entries{{"out.png", "file:bytes"}}));
}

TEST_F(OutputFiles, PathThatCannotBeCreatedFails) {
  MakeEntries();
  const Entries before = Snapshot();
  for (const std::string& path : {Path("missing/out.png"), Path("file/out.png"), std::string()}) {
    for (bool replace : {false, true}) {
      EXPECT_EQ(files_.WriteNewFile(path, "bytes", replace), WriteResult::kFailed) << path;
    }
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(OutputFiles, WriteCutShortByTheFileSizeLimitFailsAndLeavesTheOldFile) {
  Put(Path("out.png"), "old");
  const Entries before = Snapshot();
  const std::string bytes(1 << 20, 'b');
  for (rlim_t cap : {rlim_t{0}, rlim_t{4096}, rlim_t{100000}}) {
    for (bool replace : {false, true}) {
      const int code = InChild([&] {
        // The program's own setup must turn the limit into a write error, not a signal.
        signal(SIGXFSZ, SIG_DFL);
        PrepareStandardOutput();
        const rlimit limit = {cap, cap};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return files_.WriteNewFile(Path("out.png"), bytes, replace) == WriteResult::kFailed ? 0 : 1;
      });
      EXPECT_EQ(code, 0) << "limit " << cap << " replace=" << replace;
      EXPECT_EQ(Snapshot(), before) << "limit " << cap << " replace=" << replace;
    }
  }
}

TEST_F(OutputFiles, ReadOnlyFolderFails) {
  const std::string folder = Path("ro");
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  Put(folder + "/old.png", "old");
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);  // reachable by the user the child may become
  const Entries before = Snapshot();
  const int code = InChild([&] {
    // Root writes anyway: become nobody for this.
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
      return 77;
    const std::string probe = folder + "/probe";
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
      close(fd);
      unlink(probe.c_str());
      return 77;
    }
    if (errno != EACCES) return 78;
    int failures = 0;
    for (const char* name : {"/new.png", "/old.png"}) {
      for (bool replace : {false, true}) {
        failures += files_.WriteNewFile(folder + name, "new", replace) != WriteResult::kFailed;
      }
    }
    return failures;
  });
  EXPECT_EQ(Snapshot(), before);
  chmod(folder.c_str(), 0755);
  if (code == 77) GTEST_SKIP() << "the folder cannot be made read-only for this process";
  EXPECT_NE(code, 78) << "the folder cannot be reached by an unprivileged user";
  EXPECT_EQ(code, 0) << "of 4 writes, this many did not fail";
}

}  // namespace
}  // namespace fontscan::platform
