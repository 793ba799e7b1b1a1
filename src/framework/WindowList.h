#pragma once

#include <QString>

// The entries of the open windows at the foot of the Window menu: each
// window's title after a number that is also its mnemonic.
class CWindowList
{
public:
    // At most nine windows are listed, so each has a digit to type.
    static constexpr int kMaxEntries = 9;

    // The title as a window's caption shows it: "[*]" stands for the
    // modified mark, "*" when modified, nothing otherwise.
    static QString ShownTitle(const QString& windowTitle, bool modified);
    // "&1 index.html" for index 0. An "&" of the title stays a plain
    // character rather than a second mnemonic.
    static QString EntryText(int index, const QString& shownTitle);
};
