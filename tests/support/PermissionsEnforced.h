#pragma once

// While one lives, this thread meets file permissions as an ordinary user
// does, root included: it drops root's power to read and search past them
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) and takes it back when it goes.
// For an ordinary user it changes nothing.
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

private:
    unsigned dropped_ = 0;  // the effective capability bits taken away
};
