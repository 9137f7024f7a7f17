// Qt's X11 platform plugin and the libraries it loads, loaded before the program starts a
// second thread.
//
// Loading a library rewrites pages of the process's memory map (relocations, then the pages
// made read-only again). While another thread of the process runs on another processor, each
// such change interrupts that processor to drop what it cached of the old mapping, and the
// loading thread waits for it. Qt loads this plugin, and some twenty libraries with it, while
// it connects to the display, which is when the window is read on the second thread; loaded
// first, they cost only their own loading, and Qt finds them already there.
#include <dlfcn.h>

#include <cstdlib>

#include <QLibraryInfo>
#include <QString>

#include "framework/platform/qt/qt_platform.h"

std::vector<TPreloadedLibrary> QtLibrariesToPreload(const std::function<std::string(const char*)>& env) {
    // Another plugin folder may hold another copy of the plugin, which Qt would load instead.
    if (!env("QT_PLUGIN_PATH").empty() || !env("QT_QPA_PLATFORM_PLUGIN_PATH").empty()) return {};
    // Only an X11 display is prepared for; where Qt may choose Wayland, it loads its own.
    if (env("DISPLAY").empty()) return {};
    const std::string named = env("QT_QPA_PLATFORM");
    if (named.empty()) {
        if (!env("WAYLAND_DISPLAY").empty() || env("XDG_SESSION_TYPE") == "wayland") return {};
    } else if (named.substr(0, named.find_first_of(";:")) != "xcb") {
        return {};
    }
    std::vector<TPreloadedLibrary> libraries = {{"platforms/libqxcb.so", true}, {"libXcursor.so.1", false}};
    // The input method Qt chooses on X11 unless another is named.
    if (const std::string im = env("QT_IM_MODULE"); im.empty() || im == "compose")
        libraries.push_back({"platforminputcontexts/libcomposeplatforminputcontextplugin.so", true});
    return libraries;
}

void PreloadQtPlatform() {
    const auto libraries = QtLibrariesToPreload([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    });
    if (libraries.empty()) return;
    const std::string folder = QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString();
    // Opened as Qt opens plugins, and never closed: Qt's own opening only counts one more
    // user. A library that is missing is left for Qt to report.
    for (const TPreloadedLibrary& library : libraries)
        dlopen((library.InPluginFolder ? folder + "/" + library.Name : library.Name).c_str(), RTLD_LAZY);
}
