#include "client/launch_path.h"

#include "support/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(UninstallKey, ChosenByArchitecture)
{
    const std::string wow64 = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\钉钉";
    EXPECT_EQ(uninstall_key_for(0),
              std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\钉钉"));
    for (unsigned architecture : {9u, 12u, 5u, 6u, 0xFFFFu})
        EXPECT_EQ(uninstall_key_for(architecture), wow64) << "architecture " << architecture;
}

TEST(LauncherPath, FromUninstallValue)
{
    const struct {
        std::string value;
        launcher_path_result result;
        std::string path;
    } rows[] = {
        {"C:\\Program Files (x86)\\DingDing\\uninst.exe", LAUNCHER_PATH_OK,
         "C:\\Program Files (x86)\\DingDing\\DingtalkLauncher.exe"},
        {"D:\\钉钉\\", LAUNCHER_PATH_OK, "D:\\钉钉\\DingtalkLauncher.exe"},
        // Used as stored: the quote stays, and the existence test then fails.
        {"\"C:\\DD\\uninst.exe\"", LAUNCHER_PATH_OK, "\"C:\\DD\\DingtalkLauncher.exe"},
        {"uninst.exe", LAUNCHER_PATH_NO_BACKSLASH, ""},
        {"", LAUNCHER_PATH_NO_BACKSLASH, ""},
        // 235-byte folder + 20 = 255 bytes: fits with four quotes and the terminator.
        {"C:\\" + std::string(231, 'a') + "\\u.exe", LAUNCHER_PATH_OK,
         "C:\\" + std::string(231, 'a') + "\\DingtalkLauncher.exe"},
        {"C:\\" + std::string(232, 'a') + "\\u.exe", LAUNCHER_PATH_TOO_LONG, ""},
    };
    for (const auto &row : rows) {
        char path[TEXT_SIZE];
        memset(path, 'z', sizeof path);
        EXPECT_EQ(derive_launcher_path(row.value.c_str(), path, sizeof path), row.result)
            << "value " << row.value;
        EXPECT_EQ(std::string(path), row.path) << "value " << row.value;
    }
}

} // namespace
