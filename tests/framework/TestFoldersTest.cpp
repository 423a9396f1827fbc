// Every test process runs in folders of its own, made fresh by the test main.
#include "tests/support/ScratchFolder.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(TestFolders, TheUsersFoldersAreFreshAndThisProcesssOwn)
{
    const fs::path home = std::getenv("HOME");
    const fs::path temporary = std::getenv("TMPDIR");
    const fs::path root = home.parent_path();
    EXPECT_EQ(temporary.parent_path(), root);
    EXPECT_EQ(fs::path(std::getenv("XDG_CONFIG_HOME")), home / ".config");
    EXPECT_EQ(fs::path(std::getenv("XDG_STATE_HOME")), home / ".local/state");
    EXPECT_TRUE(root.filename().string().starts_with("kalmeno-test-")) << root;

    struct stat info = {};
    ASSERT_EQ(stat(root.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, geteuid());
    EXPECT_EQ(info.st_mode & 0777, 0711u) << "others may pass through but not look in";
    for (const char* variable : {"TMPDIR", "HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        EXPECT_TRUE(fs::is_directory(std::getenv(variable))) << variable;
    }
    // Made under the temporary folder the process inherited, which is not its own.
    EXPECT_NE(root.parent_path(), temporary);
    EXPECT_NE(root.parent_path(), home);
}

TEST(TestFolders, ARunMakesItsFoldersUnderTheTemporaryFolderItInheritsAndRemovesThem)
{
    const ScratchFolder inherited;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", QString::fromStdString(inherited.Path()));
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start("/proc/self/exe", {"--gtest_filter=TestFolders.TheUsersFoldersAreFreshAndThisProcesssOwn"});
    ASSERT_TRUE(run.waitForFinished(120 * 1000));
    const std::string output = run.readAllStandardOutput().toStdString();
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    EXPECT_TRUE(fs::is_empty(inherited.Path())) << "the run left its folders behind";
}
