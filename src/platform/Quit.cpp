#include "platform/Quit.h"

#include <QCoreApplication>

#include <map>
#include <vector>

namespace {

bool ending = false;

// By a number that grows, so that the latest wait comes first and a wait that
// ends while others give up is never called.
std::map<unsigned long long, std::function<void()>>& Waits() {
    static std::map<unsigned long long, std::function<void()>> waits;
    return waits;
}
unsigned long long lastWait = 0;

void GiveUpWaits() {
    std::vector<unsigned long long> keys;
    for (const auto& wait : Waits()) keys.push_back(wait.first);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        const auto found = Waits().find(*key);
        if (found == Waits().end()) continue;
        // A wait gives up once: the routine may itself wait again.
        const std::function<void()> giveUp = std::move(found->second);
        Waits().erase(found);
        giveUp();
    }
}

void LeaveEventLoop(int status) {
    // No event loop starts after this: a message box would flash by unseen.
    ending = true;
    QCoreApplication::exit(status);
}

QuitHandler& Current() {
    static QuitHandler handler = LeaveEventLoop;
    return handler;
}

}  // namespace

bool Ending() {
    return ending;
}

void SetEnding(bool on) {
    ending = on;
    if (on) GiveUpWaits();
}

WaitForPerson::WaitForPerson(std::function<void()> giveUp) {
    Waits()[++lastWait] = std::move(giveUp);
    key_ = lastWait;
}

WaitForPerson::~WaitForPerson() {
    Waits().erase(key_);
}

void Quit(int status) {
    Current()(status);
}

QuitHandler SetQuitHandler(QuitHandler handler) {
    QuitHandler previous = std::move(Current());
    Current() = handler ? std::move(handler) : QuitHandler(LeaveEventLoop);
    return previous;
}
