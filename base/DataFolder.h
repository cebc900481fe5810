#pragma once
// Where the program keeps what it writes: "velk.opt", the log files and
// ports/. Run from a build tree or a copied folder, that is the program's
// own folder; installed by the package (a marker file stands beside the
// programs, since root passes any write-permission test), the user's data
// folder; VELKSCOPE_HOME names it explicitly.
#include <string>

class DataFolder {
public:
    // The file the package installs beside the programs.
    static constexpr const char* kInstalledMarker = "velkscope.installed";

    struct Setting {
        std::string programFolder;  // with its trailing "/"
        bool installed = false;
        std::string velkscopeHome;  // the environment's values, "" when unset
        std::string xdgDataHome;
        std::string home;
    };

    // The folder for a setting, with its trailing "/".
    static std::string For(const Setting& setting);
    // The running program's setting.
    static Setting Current();
    // The running program's data folder, made when it is not the program's
    // own folder and does not exist yet.
    static std::string Path();
    // "HDLC.msg": the data folder's own when it holds one, else the one
    // shipped beside the program.
    static std::string CatalogueFile();
};
