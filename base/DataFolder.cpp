#include "base/DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "base/ProgramFolder.h"

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// Every missing folder of path, as mkdir -p does; failures show later, when
// a file there cannot be written.
void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

}  // namespace

std::string DataFolder::For(const Setting& setting) {
    if (!setting.velkscopeHome.empty()) return WithSlash(setting.velkscopeHome);
    if (!setting.installed) return setting.programFolder;
    // XDG: a relative XDG_DATA_HOME is invalid and ignored.
    if (!setting.xdgDataHome.empty() && setting.xdgDataHome[0] == '/')
        return WithSlash(setting.xdgDataHome) + "velkscope/";
    if (!setting.home.empty()) return WithSlash(setting.home) + ".local/share/velkscope/";
    return setting.programFolder;
}

DataFolder::Setting DataFolder::Current() {
    Setting setting;
    setting.programFolder = ProgramFolder::Path();
    setting.installed = ::access((setting.programFolder + kInstalledMarker).c_str(), F_OK) == 0;
    setting.velkscopeHome = Environment("VELKSCOPE_HOME");
    setting.xdgDataHome = Environment("XDG_DATA_HOME");
    setting.home = Environment("HOME");
    return setting;
}

std::string DataFolder::Path() {
    const Setting setting = Current();
    const std::string folder = For(setting);
    if (folder != setting.programFolder) MakeFolders(folder);
    return folder;
}

std::string DataFolder::CatalogueFile() {
    const Setting setting = Current();
    const std::string own = For(setting) + "HDLC.msg";
    struct stat st;
    if (::stat(own.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return own;
    return setting.programFolder + "HDLC.msg";
}
