#include "dialogs/MainWindowLink.h"

namespace {
MainWindowLink* registered = nullptr;
}

MainWindowLink* GetMainWindowLink() {
    return registered;
}

void SetMainWindowLink(MainWindowLink* link) {
    registered = link;
}
