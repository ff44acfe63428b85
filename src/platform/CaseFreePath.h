#pragma once

#include <QString>

// The item that `relative`, a path built from the catalogue, names below
// `base`, a folder the user chose or the program owns. The catalogue's names
// come from systems that ignore letter case, so: base + "/" + relative when
// that exists; otherwise each part of `relative` (not `base`) matched with
// case ignored, an exact name before its variants and otherwise the first in
// name order; base + "/" + relative again when nothing matches.
QString CaseFreePath(const QString& base, const QString& relative);
