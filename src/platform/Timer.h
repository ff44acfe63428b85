#pragma once

#include <functional>
#include <memory>

class QTimer;
class Window;

// Raises Action every Period milliseconds while Enabled and Mode is not 0.
// Mode 1 fires once, after which Enabled becomes false; setting Enabled again
// restarts it. Mode 2 fires repeatedly. A timer stops when its window closes.
class Timer {
public:
    static constexpr int kModeOff = 0;
    static constexpr int kModeSingle = 1;
    static constexpr int kModeMultiple = 2;

    explicit Timer(Window& parent, int mode = kModeMultiple, int period = 1000);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    int Mode() const;
    void SetMode(int mode);
    // Changing the period of a running timer starts its wait afresh.
    int Period() const;
    void SetPeriod(int milliseconds);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    std::function<void()> Action;

private:
    friend class Window;
    void Restart();
    void Fired();
    void Stop();

    Window& window_;
    std::unique_ptr<QTimer> timer_;
    int mode_;
    int period_;
    bool enabled_ = true;
};
