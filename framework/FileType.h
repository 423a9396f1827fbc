#pragma once
// A named kind of file: its extensions and its Mac type and creator codes.

#include "framework/Types.h"

class FileType {
public:
    String Name;
    String Extensions;
    String MacType;
    String MacCreator;

    // The type as text (its name); the first conversion registers the type with the layer.
    String Text() const;

    static bool IsRegistered(const String& name);
};
