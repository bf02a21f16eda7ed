#pragma once

#include <QString>
#include <functional>

// What the shared save and open flows need to know of one puzzle type.
struct PuzzleKind {
    QString userExtension;      // ".wsp": written by the makers
    QString packagedExtension;  // ".wsd": arrives with puzzle packs; empty when the type has none
    QString listingMask;        // "*.wsp;*.wsd"
    bool threeFiles = false;    // the picture puzzle: name + "1", "2", "3", listed by its "1" file
    bool openToEveryone = true; // the saved file is opened to every user after a save
    // Writes the current puzzle under a name (without extension); 0 on success.
    std::function<int(const QString& name)> writer;
};
