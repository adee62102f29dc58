#pragma once

#include <optional>

// The persistent "Language" setting. On Windows the integer value "Language"
// under HKEY_LOCAL_MACHINE\Software\Dravik\KLV-820; elsewhere the Qt settings
// of organisation "Dravik", application "KLV-820".

// The stored value; nullopt when the key or the value is missing or the value
// is not an integer. The key is not created by reading.
std::optional<int> ReadStoredLanguage();
// Stores the value (creating the key); false when the store refused it.
bool WriteStoredLanguage(int language);
