#include "platform/Events.h"

#include <algorithm>

namespace {

bool& Contextual() {
    static bool contextual = false;
    return contextual;
}

unsigned Part(int value) {
    return static_cast<unsigned>(std::clamp(value, 0, 255));
}

}  // namespace

Color RGB(int r, int g, int b) {
    return (Part(r) << 16) | (Part(g) << 8) | Part(b);
}

bool IsContextualClick() {
    return Contextual();
}

ContextualClickScope::ContextualClickScope(bool contextual) : previous_(Contextual()) {
    Contextual() = contextual;
}

ContextualClickScope::~ContextualClickScope() {
    Contextual() = previous_;
}
