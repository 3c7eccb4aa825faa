#include "app/display_check.h"
#include "app/mode_folder.h"
#include "app/permission_aware_backend.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace quorix;

namespace {

// One device path that enumerates while plugged and opens only when allowed.
struct FakeBackend : link::HidBackend {
    bool plugged = true;
    bool allowed = false;
    std::vector<std::string> enumerate(std::uint16_t, std::uint16_t, std::string*) override
    {
        return plugged ? std::vector<std::string>{"/dev/hidraw3"} : std::vector<std::string>{};
    }
    std::unique_ptr<link::HidDevice> open(const std::string&) override { return nullptr; }
};

} // namespace

TEST(PermissionAwareBackend, ARefusedDeviceIsReportedOnceUntilItIsUnplugged)
{
    auto inner = std::make_unique<FakeBackend>();
    FakeBackend& fake = *inner;
    int reports = 0;
    bool denied = true;
    app::PermissionAwareBackend backend(
        std::move(inner), [&] { ++reports; }, [&](const std::string&) { return denied; });
    for (int i = 0; i < 3; ++i)
        for (const auto& path : backend.enumerate(0x7A3C, 0x0101, nullptr))
            backend.open(path);
    EXPECT_EQ(reports, 1);
    fake.plugged = false;
    EXPECT_TRUE(backend.enumerate(0x7A3C, 0x0101, nullptr).empty());
    fake.plugged = true;
    backend.open("/dev/hidraw3");
    EXPECT_EQ(reports, 2);
    denied = false; // a device that fails for another reason is not a permission problem
    backend.enumerate(0x7A3C, 0x0101, nullptr);
    fake.plugged = false;
    backend.enumerate(0x7A3C, 0x0101, nullptr);
    backend.open("/dev/hidraw3");
    EXPECT_EQ(reports, 2);
}

TEST(ModeFolder, AnOverrideWinsAndIsCreatedAndAFolderThatCannotBeMadeIsReported)
{
    QTemporaryDir dir;
    const QString wanted = QDir(dir.path()).filePath("tunings/mode");
    const app::ModeFolder chosen = app::ChooseModeFolder(wanted, dir.path());
    EXPECT_EQ(chosen.path, wanted);
    EXPECT_TRUE(chosen.error.isEmpty());
    EXPECT_TRUE(QDir(wanted).exists());

    const app::ModeFolder beside = app::ChooseModeFolder({}, dir.path());
    EXPECT_EQ(beside.path, QDir(dir.path()).filePath("mode"));
    const app::ModeFolder installed = app::ChooseModeFolder({}, dir.path(), dir.path());
    EXPECT_NE(installed.path, QDir(dir.path()).filePath("mode")); // not in the program folder, even when writable

    QFile blocker(QDir(dir.path()).filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const app::ModeFolder refused = app::ChooseModeFolder(QDir(dir.path()).filePath("file/mode"), dir.path());
    EXPECT_FALSE(refused.error.isEmpty());
}

// An installed copy lives in a folder its user cannot write (/usr/bin): its
// configuration files go to the user's data folder. Root may write anywhere,
// so only a missing folder shows this when the tests run as root.
TEST(ModeFolder, AProgramInAFolderItCannotWriteKeepsItsFilesInTheUsersDataFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString data = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("mode");
    QTemporaryDir dir;
    const QString readOnly = QDir(dir.path()).filePath("bin");
    ASSERT_TRUE(QDir().mkpath(readOnly));
    ASSERT_TRUE(
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QStringList folders = {QDir(dir.path()).filePath("missing")};
    if (::geteuid() != 0)
        folders << readOnly;
    for (const QString& folder : folders) {
        const app::ModeFolder chosen = app::ChooseModeFolder({}, folder);
        EXPECT_EQ(chosen.path, data) << folder.toStdString();
        EXPECT_TRUE(chosen.error.isEmpty());
        EXPECT_FALSE(QDir(folder).exists("mode"));
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStandardPaths::setTestModeEnabled(false);
}

TEST(MissingDisplay, IsToldOnlyWhenNoDisplayNorPlatformIsNamed)
{
    const struct {
        QStringList variables; // NAME=value
        QStringList arguments;
        bool missing;
    } cases[] = {
        {{}, {"quorix-console", "--simulator"}, true},
        {{"DISPLAY="}, {"quorix-console"}, true},
        {{"DISPLAY=:0"}, {"quorix-console"}, false},
        {{"WAYLAND_DISPLAY=wayland-0"}, {"quorix-console"}, false},
        {{"QT_QPA_PLATFORM=offscreen"}, {"quorix-console"}, false},
        {{}, {"quorix-console", "-platform", "offscreen"}, false},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment;
        for (const QString& variable : c.variables)
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        const QString text = app::MissingDisplay(c.arguments, environment);
        EXPECT_EQ(!text.isEmpty(), c.missing) << c.variables.join(' ').toStdString();
        if (c.missing) {
            EXPECT_TRUE(text.contains("DISPLAY") && text.contains("QT_QPA_PLATFORM")) << text.toStdString();
        }
    }
}

// Qt would end the process with an abort; the console says what to do and exits 1, as its usage promises.
TEST(MissingDisplay, EndsTheConsoleWithExitOneBeforeTheWindowSystemStarts)
{
    QProcess console;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    console.setProcessEnvironment(environment);
    console.start(QStringLiteral(QUORIX_CONSOLE), {"--simulator"});
    ASSERT_TRUE(console.waitForFinished(60000));
    EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(console.exitCode(), 1);
    const QByteArray error = console.readAllStandardError();
    EXPECT_TRUE(error.contains("no display")) << error.toStdString();
}

// A display that is named but answers nothing: Qt's fatal message, and exit 1 rather than its abort.
TEST(MissingDisplay, ADisplayThatDoesNotAnswerEndsTheConsoleWithExitOne)
{
    QProcess console;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("DISPLAY", ":31999"); // no X server listens there
    console.setProcessEnvironment(environment);
    console.start(QStringLiteral(QUORIX_CONSOLE), {"--simulator"});
    ASSERT_TRUE(console.waitForFinished(60000));
    EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(console.exitCode(), 1);
    EXPECT_TRUE(console.readAllStandardError().contains("the window system could not start"));
}
