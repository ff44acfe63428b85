#pragma once

#include "platform/Application.h"

#include <memory>

// The one shared instance of a window class, kept until the next request or
// until the application object goes (a window must not outlive it).
template <class W> std::unique_ptr<W>& SharedWindowSlot() {
    static std::unique_ptr<W> shared;
    return shared;
}

template <class W> void DropSharedWindow() {
    SharedWindowSlot<W>().reset();
}

// The find-or-create rule of the shared dialogs: the open instance when there
// is one, otherwise a newly built one. A closed window is dropped only here,
// when its caller's ShowModal has long returned.
template <class W> W& FindOrCreateWindow() {
    std::unique_ptr<W>& shared = SharedWindowSlot<W>();
    if (!shared || !shared->IsOpen()) {
        static const bool dropAtExit = (AtApplicationEnd(&DropSharedWindow<W>), true);
        (void)dropAtExit;
        shared.reset();
        shared = std::make_unique<W>();
    }
    return *shared;
}
