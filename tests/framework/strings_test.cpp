// Text lists: lines and Text, change notification, and SaveToFile — the bytes, replacing
// and following links, writing in place where a rename cannot do, and every way it can fail
// with the old file surviving and nothing left behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "framework/core/strings.h"
#include "framework/graphics/codepage.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/forms.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const TStrings& s) { return s.ToVector(); }

TEST(StringList, AddInsertDeleteAndIndexErrors) {
    TStringList list;
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(list.Add("three"), 1);
    list.Insert(1, "two");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"one", "two", "three"}));
    list.SetStrings(0, "ONE");
    EXPECT_EQ(list[0], "ONE");
    EXPECT_EQ(list.IndexOf("Two"), 1);  // case-insensitive
    EXPECT_EQ(list.IndexOf("four"), -1);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    try {
        list.Strings(2);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAtEveryLineBreak) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("a");
    list.Add("");
    list.Add("b");
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");

    list.SetText("x\r\ny\nz\rw");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "y", "z", "w"}));
    list.SetText("x\r\n");  // a final break starts no line
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x"}));
    list.SetText("\r\n\r\n");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"", ""}));
    list.SetText("\n\r");  // LF, then CR: two breaks, not one CR LF
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);

    TStringList copy;
    list.SetText("p\r\nq");
    copy.Assign(&list);
    EXPECT_EQ(Lines(copy), (std::vector<std::string>{"p", "q"}));
}

TEST(StringList, ChangeNotificationOncePerUpdateBlock) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changing;
    };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(changing, 2);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);
    list.SetText("1\r\n2\r\n3");  // one announcement for the whole text
    EXPECT_EQ(changed, 4);
    list.Clear();
    list.Clear();  // nothing to clear: silent
    EXPECT_EQ(changed, 5);
}

// ---------------------------------------------------------------- SaveToFile

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class SaveToFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/verbolt-strings-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        lines.Add("<?php");
        lines.Add("$x = \"1\";");
        lines.Add("?>");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    // Entries of the folder: no temporary file may stay behind.
    std::vector<std::string> Entries(const std::string& folder) const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    // The message of the exception SaveToFile raises, prefixed by its class.
    std::string SaveError(const std::string& path) {
        try {
            lines.SaveToFile(path);
        } catch (const EFCreateError& e) {
            return "EFCreateError: " + e.Message();
        } catch (const EWriteError& e) {
            return "EWriteError: " + e.Message();
        }
        return "no error";
    }
    // Runs f in a forked child; the child's exit code is f's result.
    static int InChild(const std::function<int()>& f) {
        fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) _exit(f());
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
    }

    std::string dir;
    TStringList lines;
    const std::string expected = "<?php\r\n$x = \"1\";\r\n?>\r\n";
};

TEST_F(SaveToFileTest, WritesEveryLineWithCrLfAndReplacesKeepingPermissions) {
    std::string path = dir + "/kv4_lang.php";
    lines.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php"}));

    WriteFile(path, "a much longer old content that must vanish completely\r\n");
    chmod(path.c_str(), 0640);
    TStringList clear;
    clear.Add("Clear?");
    clear.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "Clear?\r\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php"}));

    TStringList empty;
    empty.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "");

    // Bytes above 127 are written as they are, no byte-order mark.
    TStringList ansi;
    ansi.Add("\xE9t\xE9");
    ansi.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "\xE9t\xE9\r\n");
}

TEST_F(SaveToFileTest, RelativeNameAndNewFileModeFromUmask) {
    std::string cwd = fs::current_path().string();
    fs::current_path(dir);
    mode_t old = umask(022);
    lines.SaveToFile("rel.php");
    umask(old);
    fs::current_path(cwd);
    EXPECT_EQ(ReadFile(dir + "/rel.php"), expected);
    struct stat st;
    ASSERT_EQ(stat((dir + "/rel.php").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(SaveToFileTest, SymbolicLinkIsFollowedAndStays) {
    fs::create_directory(dir + "/real");
    std::string real = dir + "/real/target.php";
    WriteFile(real, "old\r\n");
    std::string link = dir + "/link.php";
    ASSERT_EQ(symlink("real/target.php", link.c_str()), 0);
    lines.SaveToFile(link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), expected);
    EXPECT_EQ(Entries(dir + "/real"), (std::vector<std::string>{"target.php"}));

    // A dangling link: the file it names is created.
    std::string dangling = dir + "/dangling.php";
    ASSERT_EQ(symlink((dir + "/real/new.php").c_str(), dangling.c_str()), 0);
    lines.SaveToFile(dangling);
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadFile(dir + "/real/new.php"), expected);
}

TEST_F(SaveToFileTest, MissingFolderAndFolderInTheWay) {
    EXPECT_EQ(SaveError(dir + "/missing/kv4_lang.php"),
              "EFCreateError: Cannot create file \"" + dir + "/missing/kv4_lang.php\". No such file or directory");
    // The message names the path as chosen, made absolute and tidied.
    EXPECT_EQ(SaveError(dir + "/./missing/../missing/x.php"),
              "EFCreateError: Cannot create file \"" + dir + "/missing/x.php\". No such file or directory");
    WriteFile(dir + "/file", "keep");
    EXPECT_EQ(SaveError(dir + "/file/x.php"),
              "EFCreateError: Cannot create file \"" + dir + "/file/x.php\". Not a directory");
    fs::create_directory(dir + "/sub");
    EXPECT_EQ(SaveError(dir + "/sub"), "EFCreateError: Cannot create file \"" + dir + "/sub\". Is a directory");
    EXPECT_EQ(ReadFile(dir + "/file"), "keep");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"file", "sub"}));
}

// A file-size limit, with the signal at its default until the application starts up: the
// program lives on and says so, the old file stays, no temporary file is left.
TEST_F(SaveToFileTest, FileSizeLimitFailsTheSaveInWordsAndLeavesNothing) {
    std::string path = dir + "/kv4_lang.php";
    WriteFile(path, "old content\r\n");
    std::string linked = dir + "/linked.php";
    WriteFile(linked, "old content\r\n");
    ASSERT_EQ(link(linked.c_str(), (dir + "/other-name.php").c_str()), 0);
    int rc = InChild([&] {
        signal(SIGXFSZ, SIG_DFL);
        InstallHeadlessPlatform();
        CreateApplication()->Initialize();
        // Room for 10 bytes only: the write stops short, then fails with EFBIG.
        struct rlimit limit {
            10, 10
        };
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        int failed = 0;
        if (SaveError(path) != "EWriteError: Stream write error") failed |= 1;
        if (SaveError(dir + "/new.php") != "EWriteError: Stream write error") failed |= 2;
        // Written in place (other names): put back as it was.
        if (SaveError(linked) != "EWriteError: Stream write error") failed |= 4;
        return failed;
    });
    EXPECT_EQ(rc, 0) << "bit 1: replacing, 2: new file, 4: in place; 125 = killed by SIGXFSZ";
    EXPECT_EQ(ReadFile(path), "old content\r\n");
    EXPECT_EQ(ReadFile(linked), "old content\r\n");
    EXPECT_EQ(ReadFile(dir + "/other-name.php"), "old content\r\n");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php", "linked.php", "other-name.php"}));
}

TEST_F(SaveToFileTest, LongestValidNamesAreSavedWithoutATrace) {
    for (size_t length : {244u, 250u, 255u}) {
        std::string name(length - 4, 'n');
        name += ".php";
        lines.SaveToFile(dir + "/" + name);
        EXPECT_EQ(ReadFile(dir + "/" + name), expected) << length;
        lines.SaveToFile(dir + "/" + name);  // replacing it, too
        EXPECT_EQ(Entries(dir), (std::vector<std::string>{name})) << length;
        fs::remove(dir + "/" + name);
    }
    // Cut at a character boundary: a name of two-byte characters.
    std::string wide;
    while (wide.size() + 2 <= 250) wide += "\xC3\xA9";
    lines.SaveToFile(dir + "/" + wide);
    EXPECT_EQ(ReadFile(dir + "/" + wide), expected);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{wide}));
}

TEST_F(SaveToFileTest, HardLinkedFileIsWrittenInPlaceForEveryName) {
    std::string path = dir + "/kv4_lang.php";
    std::string other = dir + "/other.php";
    WriteFile(path, "a much longer old content that must vanish completely\r\n");
    chmod(path.c_str(), 0640);
    ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
    struct stat before;
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    lines.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(ReadFile(other), expected);
    struct stat after;
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php", "other.php"}));
}

// A named pipe with no reader would block the window for good; a timer guards the test.
TEST_F(SaveToFileTest, PipesAndSocketsAreRefusedDevicesWritten) {
    std::string fifo = dir + "/pipe.php";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(symlink("pipe.php", (dir + "/to-pipe.php").c_str()), 0);
    int rc = InChild([&] {
        alarm(10);
        bool direct = SaveError(fifo) == "EFCreateError: Cannot create file \"" + fifo + "\". Is a named pipe";
        bool linked = SaveError(dir + "/to-pipe.php") ==
                      "EFCreateError: Cannot create file \"" + dir + "/to-pipe.php\". Is a named pipe";
        return (direct ? 0 : 1) | (linked ? 0 : 2);
    });
    EXPECT_EQ(rc, 0) << "114: the save hung on the pipe; bit 1: the pipe, 2: a link to it";

    EXPECT_EQ(SaveError("/dev/null"), "no error");
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_EQ(SaveError("/dev/full"), "EWriteError: Stream write error");
    }
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"pipe.php", "to-pipe.php"}));
}

// The dialog hands over the file system's bytes (UTF-8); the message is ANSI text.
TEST_F(SaveToFileTest, NonAsciiPathIsShownInTheMessageAsTheUserWroteIt) {
    SetAnsiCodePage(CP_WESTERN);
    std::string missing = dir +
                          "/Gr\xC3\xBC\xC3\x9F"
                          "e/caf\xC3\xA9.php";  // "Grüße/café.php"
    EXPECT_EQ(SaveError(missing), "EFCreateError: Cannot create file \"" + dir +
                                      "/Gr\xFC\xDF"
                                      "e/caf\xE9.php\". "
                                      "No such file or directory");
    // The file itself is made under its own bytes.
    fs::create_directory(dir +
                         "/Gr\xC3\xBC\xC3\x9F"
                         "e");
    lines.SaveToFile(missing);
    EXPECT_EQ(ReadFile(missing), expected);
    // What the code page lacks shows as "?", as does a byte that is no UTF-8.
    EXPECT_EQ(DisplayFileName("/tmp/\xE6\x97\xA5\xE6\x9C\xAC-\xC3\xA9-\xE9.php"),
              "/tmp/?"
              "?-\xE9-?.php");
    SetAnsiCodePage(CP_CYRILLIC);
    EXPECT_EQ(DisplayFileName("/\xD0\x96.php"), "/\xC6.php");  // "Ж"
    SetAnsiCodePage(0);
}

// Permission cases need an unprivileged user: root may write anywhere.
class SaveToFilePermissionTest : public SaveToFileTest {
protected:
    static constexpr uid_t kNobody = 65534;
    // Runs f as the unprivileged user; -1 when that is not possible here.
    int AsNobody(const std::function<int()>& f) {
        if (geteuid() != 0) return -1;
        return InChild([&] {
            if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) return 3;
            return f();
        });
    }
};

TEST_F(SaveToFilePermissionTest, ReadOnlyFolderAndReadOnlyTarget) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to switch to an unprivileged user";
    // The folder and everything in it belong to the unprivileged user.
    ASSERT_EQ(chown(dir.c_str(), kNobody, kNobody), 0);
    std::string roDir = dir + "/ro";
    fs::create_directory(roDir);
    std::string inRo = roDir + "/kv4_lang.php";
    WriteFile(inRo, "a longer old content\r\n");
    std::string writeOnly = roDir + "/write-only.php";
    WriteFile(writeOnly, "old\r\n");
    for (const std::string& p : {roDir, inRo, writeOnly}) ASSERT_EQ(chown(p.c_str(), kNobody, kNobody), 0);
    chmod(inRo.c_str(), 0644);
    chmod(writeOnly.c_str(), 0200);
    chmod(roDir.c_str(), 0555);  // the files are writable, their folder takes no new ones

    std::string roFile = dir + "/readonly.php";
    WriteFile(roFile, "old\r\n");
    ASSERT_EQ(chown(roFile.c_str(), kNobody, kNobody), 0);
    chmod(roFile.c_str(), 0444);  // the folder is writable, the file is not

    int rc = AsNobody([&] {
        bool a = SaveError(inRo) == "no error";
        bool b = SaveError(roFile) == "EFCreateError: Cannot create file \"" + roFile + "\". Permission denied";
        bool c = SaveError(roDir + "/new.php") ==
                 "EFCreateError: Cannot create file \"" + roDir + "/new.php\". Permission denied";
        bool d = SaveError(writeOnly) == "no error";
        // An unprivileged user names the unnamed new file another way.
        bool e = SaveError(dir + "/new.php") == "no error";
        return (a ? 0 : 1) | (b ? 0 : 2) | (c ? 0 : 4) | (d ? 0 : 8) | (e ? 0 : 16);
    });
    ASSERT_NE(rc, -1);
    EXPECT_EQ(rc, 0) << "bit 1: file in a read-only folder, 2: read-only file, 4: new file in a read-only "
                        "folder, 8: write-only file in a read-only folder, 16: new file";
    EXPECT_EQ(ReadFile(inRo), expected);
    EXPECT_EQ(ReadFile(writeOnly), expected);
    EXPECT_EQ(ReadFile(roFile), "old\r\n");
    EXPECT_EQ(Entries(roDir), (std::vector<std::string>{"kv4_lang.php", "write-only.php"}));
    EXPECT_EQ(ReadFile(dir + "/new.php"), expected);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"new.php", "readonly.php", "ro"}));
}

// In place, a failure part-way puts the old content back: the unprivileged user's file-size
// limit stops the new, longer text in a folder that takes no new files.
TEST_F(SaveToFilePermissionTest, InPlaceWriteThatFailsPutsTheOldContentBack) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to switch to an unprivileged user";
    ASSERT_EQ(chown(dir.c_str(), kNobody, kNobody), 0);
    std::string path = dir + "/kv4_lang.php";
    WriteFile(path, "0123456789ab");
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    chmod(dir.c_str(), 0555);
    int rc = AsNobody([&] {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            16, 16
        };
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return SaveError(path) == "EWriteError: Stream write error" ? 0 : 1;
    });
    ASSERT_NE(rc, -1);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadFile(path), "0123456789ab");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php"}));
}

}  // namespace
