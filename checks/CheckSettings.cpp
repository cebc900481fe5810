#include "checks/CheckSettings.h"

#include "base/DataFolder.h"

// Scaffolding until the settings file lands.
std::string CheckSettings::DefaultPath() { return DataFolder::Path() + kFileName; }
CheckSettings::LoadResult CheckSettings::Load(const std::string&) { return kNoFile; }
CheckSettings::SaveResult CheckSettings::Save(const std::string&) const { return kUnwritable; }
bool CheckSettings::Valid() const { return true; }
bool CheckSettings::Parse(std::string_view) { return false; }
