#include "components/applpreferences/FileTypes.h"

namespace FileTypes {

namespace {
std::shared_ptr<FileType> pPrefsData;
}

void Initialize()
{
    pPrefsData = std::make_shared<FileType>();
    pPrefsData->Name = "PrefsData";
    pPrefsData->MacType = "PREF";
    pPrefsData->MacCreator = "KLMa";
    // The layer registers a type the first time it is converted to text.
    pPrefsData->Text();
}

void Release()
{
    pPrefsData = nullptr;
}

std::shared_ptr<FileType> PrefsData()
{
    return pPrefsData;
}

} // namespace FileTypes
