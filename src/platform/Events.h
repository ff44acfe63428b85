#pragma once

// A colour as 0xRRGGBB.
using Color = unsigned;

// Each part is clamped to 0..255.
Color RGB(int r, int g, int b);

// True while a MouseDown event runs for a right click or a context-menu request.
bool IsContextualClick();

// Marks the running mouse-down as contextual (or not) for its lifetime; the
// controls open one around each MouseDown they raise. Scopes nest.
class ContextualClickScope {
public:
    explicit ContextualClickScope(bool contextual);
    ~ContextualClickScope();
    ContextualClickScope(const ContextualClickScope&) = delete;
    ContextualClickScope& operator=(const ContextualClickScope&) = delete;

private:
    bool previous_;
};
