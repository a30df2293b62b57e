#pragma once

namespace platform {

// While this lives, what a library writes on the standard error goes nowhere.
class StandardErrorSilenced {
public:
    StandardErrorSilenced();
    ~StandardErrorSilenced();
    StandardErrorSilenced(const StandardErrorSilenced&) = delete;
    StandardErrorSilenced& operator=(const StandardErrorSilenced&) = delete;

private:
    int kept_ = -1;
};

} // namespace platform
