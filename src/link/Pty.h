#pragma once
// A pseudo-terminal whose master side plays the controller. The simulator keeps the slave side open
// too, so that the device stays up while the program closes and reopens its port.
#include <string>

namespace z7 {

class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ok() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& error() const { return error_; }
    int master() const { return master_; }
    const std::string& devicePath() const { return path_; }
    // Bytes written by the program on the slave side and waiting to be read from the master.
    int masterWaiting() const;
    // Bytes waiting on the slave side (written by the simulator, not yet read by the program).
    int slaveWaiting() const;
    // Reads what is waiting on the master side, without waiting.
    std::string readMaster();
    // Writes all bytes to the master side; false when the device is gone.
    bool writeMaster(const std::string& bytes);
    // Closes the master side: to the program the device is gone.
    void hangUp();

    // Makes linkPath a symbolic link to the device (replacing an old link); false with error set.
    bool makeLink(const std::string& linkPath);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string error_;
    std::string link_;
};

}  // namespace z7
