#pragma once

#include <QString>

// Quotes text for /bin/sh as one word: 'text', each ' written as '\''.
// The empty text becomes '' so it still stands as an argument.
QString ShellQuote(const QString& text);
