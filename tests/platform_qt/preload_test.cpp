#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <QLibraryInfo>
#include <QString>

#include "framework/platform/qt/qt_platform.h"

namespace {

using TEnv = std::map<std::string, std::string>;

std::string Preloaded(const TEnv& vars) {
    std::string names;
    for (const TPreloadedLibrary& l : QtLibrariesToPreload([&](const char* name) {
             auto it = vars.find(name);
             return it == vars.end() ? std::string() : it->second;
         }))
        names += (names.empty() ? "" : " ") + std::string(l.InPluginFolder ? "plugins/" : "") + l.Name;
    return names;
}

}  // namespace

// The plugin is loaded only where Qt will load the very same file: an X11 display, the xcb
// platform, the default plugin folder.
TEST(QtPreload, OnlyWhereQtWillLoadTheSameX11Plugin) {
    const std::string xcb = "plugins/platforms/libqxcb.so libXcursor.so.1";
    const std::string compose = " plugins/platforminputcontexts/libcomposeplatforminputcontextplugin.so";
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}}), xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}), xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb"}}), xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb:nomitshm"}}), xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb;wayland"}, {"WAYLAND_DISPLAY", "w"}}),
              xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_IM_MODULE", "compose"}}), xcb + compose);
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_IM_MODULE", "ibus"}}), xcb);

    EXPECT_EQ(Preloaded({}), "");
    EXPECT_EQ(Preloaded({{"QT_QPA_PLATFORM", "xcb"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "wayland"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "offscreen"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland;xcb"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_PLUGIN_PATH", "/opt/qt/plugins"}}), "");
    EXPECT_EQ(Preloaded({{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM_PLUGIN_PATH", "/opt/p"}}), "");
}

// Without a display nothing is loaded; with one, the plugin Qt will open is in the process.
TEST(QtPreload, LoadsTheFileQtOpens) {
    const std::string plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms/libqxcb.so";
    for (const char* v : {"QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
        unsetenv(v);
    setenv("XDG_SESSION_TYPE", "x11", 1);
    unsetenv("DISPLAY");
    PreloadQtPlatform();
    EXPECT_EQ(dlopen(plugin.c_str(), RTLD_LAZY | RTLD_NOLOAD), nullptr);
    setenv("DISPLAY", ":7", 1);
    PreloadQtPlatform();
    void* loaded = dlopen(plugin.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    EXPECT_NE(loaded, nullptr) << plugin;
    if (loaded) dlclose(loaded);
}
