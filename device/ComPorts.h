#pragma once
// COM port numbers on a system without them: COMn is the device that a link
// named COMn in the ports folder points to; the port list the user picks
// from follows the rule known from Wine.
#include <string>
#include <vector>

struct ComPortEntry {
    int number = 0;    // 1 = COM1
    std::string path;  // device to open

    bool operator==(const ComPortEntry&) const = default;
};

class ComPorts {
public:
    // Where the lookups happen; tests point them at folders of their own.
    struct Roots {
        std::string portsFolder;  // holds the COMn links, trailing "/"
        std::string devFolder = "/dev/";
        std::string sysTtyFolder = "/sys/class/tty/";
    };

    // $VELKSCOPE_PORTS if set, else ports/ beside the program; trailing "/".
    static std::string Folder();
    static Roots SystemRoots();

    // The device behind COM(portIndex + 1): its link in the ports folder;
    // otherwise the USB or ACM device the port list puts on that number;
    // otherwise /dev/ttyS(portIndex). Empty for a negative index.
    static std::string DevicePath(int portIndex);
    static std::string DevicePath(int portIndex, const Roots& roots);

    // Every COMn link; each ttySk that is a real UART as COM(k+1); then
    // ttyUSB* and ttyACM* on the lowest free numbers. Sorted by number.
    static std::vector<ComPortEntry> List();
    static std::vector<ComPortEntry> List(const Roots& roots);

    // True for a ttyS device backed by a UART the kernel recognised.
    static bool IsRealUart(const std::string& devicePath);
};
