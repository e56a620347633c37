// The log-on seam on the registry: the value "ZAV Amp" under
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, read and
// written through the wide-character calls; a value of the kind that
// names variables (REG_EXPAND_SZ) is read with them expanded, as the
// system does when it starts it.
#pragma once

#include "platform/run_at_logon.h"

namespace win32 {

class Win32RunAtLogon : public platform::RunAtLogon {
public:
    std::string place() const override;
    std::optional<std::string> read() override;
    bool write(const std::string& commandLine) override;
    bool remove() override;
    bool sameFile(const std::string& a, const std::string& b) const override;
};

}  // namespace win32
