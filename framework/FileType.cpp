#include "framework/FileType.h"

#include <set>

namespace {

std::set<String>& Registered()
{
    static std::set<String> names;
    return names;
}

} // namespace

String FileType::Text() const
{
    Registered().insert(Name);
    return Name;
}

bool FileType::IsRegistered(const String& name)
{
    return Registered().count(name) > 0;
}
