// The DingTalk client's touch points: fixed values the program relies on.
#ifndef QUORVANE_CLIENT_CLIENT_IDS_H
#define QUORVANE_CLIENT_CLIENT_IDS_H

// Uninstall record on 32-bit Windows, and under the 32-bit view everywhere else.
static const char UNINSTALL_KEY_X86[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\钉钉";
static const char UNINSTALL_KEY_WOW64[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\钉钉";
// Its part up to the last backslash is the installation folder.
static const char UNINSTALL_VALUE[] = "UninstallString";
static const char LAUNCHER_FILE[] = "DingtalkLauncher.exe";
// The all-users desktop is not looked up: this is where the installer puts it.
static const char DESKTOP_SHORTCUT[] = "C:\\Users\\Public\\Desktop\\钉钉.lnk";
static const char CLIENT_WINDOW_TITLE[] = "钉钉";
static const char CLIENT_IMAGE_NAME[] = "DingTalk.exe";

// Where the probe points expect the client window.
static const int CLIENT_LEFT = 0;
static const int CLIENT_TOP = 0;
static const int CLIENT_WIDTH = 930;
static const int CLIENT_HEIGHT = 640;

// GetNativeSystemInfo's PROCESSOR_ARCHITECTURE_INTEL, kept here so that the key choice
// needs no Windows header.
static const unsigned ARCHITECTURE_X86 = 0;

#endif
