// Text lists: lines and Text, change notification, and SaveToFile — the bytes, replacing
// and following links, and every way it can fail with the old file surviving.
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

#include "framework/strings.h"

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

TEST_F(SaveToFileTest, DiskFullLeavesOldFileAndNoTemporary) {
    std::string path = dir + "/kv4_lang.php";
    WriteFile(path, "old content\r\n");
    // Room for 10 bytes only: the write stops short, then fails with EFBIG.
    int rc = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit{10, 10};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        std::string message = SaveError(path);
        return message == "EWriteError: Stream write error" ? 0 : 1;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadFile(path), "old content\r\n");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"kv4_lang.php"}));
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
    WriteFile(inRo, "old\r\n");
    ASSERT_EQ(chown(roDir.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(inRo.c_str(), kNobody, kNobody), 0);
    chmod(inRo.c_str(), 0644);
    chmod(roDir.c_str(), 0555);  // the file is writable, its folder is not

    std::string roFile = dir + "/readonly.php";
    WriteFile(roFile, "old\r\n");
    ASSERT_EQ(chown(roFile.c_str(), kNobody, kNobody), 0);
    chmod(roFile.c_str(), 0444);  // the folder is writable, the file is not

    int rc = AsNobody([&] {
        bool a = SaveError(inRo) == "EFCreateError: Cannot create file \"" + inRo + "\". Permission denied";
        bool b = SaveError(roFile) == "EFCreateError: Cannot create file \"" + roFile + "\". Permission denied";
        bool c = SaveError(roDir + "/new.php") ==
                 "EFCreateError: Cannot create file \"" + roDir + "/new.php\". Permission denied";
        return (a ? 0 : 1) | (b ? 0 : 2) | (c ? 0 : 4);
    });
    ASSERT_NE(rc, -1);
    EXPECT_EQ(rc, 0) << "bit 1: read-only folder, 2: read-only file, 4: new file in read-only folder";
    EXPECT_EQ(ReadFile(inRo), "old\r\n");
    EXPECT_EQ(ReadFile(roFile), "old\r\n");
    EXPECT_EQ(Entries(roDir), (std::vector<std::string>{"kv4_lang.php"}));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"readonly.php", "ro"}));
}

}  // namespace
