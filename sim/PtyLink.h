#pragma once
// The simulated serial line: a pseudo-terminal whose slave side is linked as
// COMn in the ports folder, where the program looks for its ports.
#include <termios.h>

#include <string>

class PtyLink {
public:
    PtyLink() = default;
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;
    ~PtyLink() { Close(); }

    // VELKSCOPE_PORTS when set, else ports/ beside this program; with "/".
    static std::string PortsFolder();

    // Creates the pseudo-terminal, puts its slave side into raw mode at
    // speed, and links folder/COM<port> to it (replacing a stale link).
    bool Open(int port, const std::string& folder, speed_t speed, std::string& error);
    // Removes the link (when it is still ours) and closes both sides.
    void Close();

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }
    const std::string& LinkPath() const { return linkPath_; }
    // True when the host's current line settings use speed both ways.
    bool HostSpeedIs(speed_t speed) const;
    // Bytes on the line the host has not read yet, those still on their
    // way into its queue too.
    bool HostHasUnread() const;

private:
    int master_ = -1;
    // Held open so the master never sees a hang-up while the host closes
    // and reopens the port; its settings are never touched after start.
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};
